# Copies the system's exprtk header into the build tree and patches it:
#   - its symbol rules are widened: after the first letter a name may also
#     hold '.' and ':' anywhere;
#   - every conversion of a value to an integer that an expression can reach
#     is defined for every double (NaN, infinities, huge values);
#   - its lexer helpers reserve room for the tokens at hand rather than for
#     10 000 tokens at every compilation.
# Configuration stops when any text to change is not found as expected.

set(EXPRTK_SOURCE_HEADER "/usr/include/mrpt/expr/include/mrpt/3rdparty/exprtk.hpp"
    CACHE FILEPATH "exprtk header to copy and widen (Debian: libmrpt-expr-dev)")
set(EXPRTK_PATCHED_DIR "${CMAKE_BINARY_DIR}/generated/exprtk")

if(NOT EXISTS "${EXPRTK_SOURCE_HEADER}")
  message(FATAL_ERROR "exprtk header not found at ${EXPRTK_SOURCE_HEADER}: install libmrpt-expr-dev")
endif()

file(READ "${EXPRTK_SOURCE_HEADER}" _exprtk)

# Replaces the text old, which must occur exactly count times, by new.
function(_exprtk_replace what count old new)
  set(_rest "${_exprtk}")
  set(_found 0)
  string(LENGTH "${old}" _old_length)
  while(TRUE)
    string(FIND "${_rest}" "${old}" _at)
    if(_at EQUAL -1)
      break()
    endif()
    math(EXPR _found "${_found} + 1")
    math(EXPR _after "${_at} + ${_old_length}")
    string(SUBSTRING "${_rest}" ${_after} -1 _rest)
  endwhile()
  if(NOT _found EQUAL count)
    message(FATAL_ERROR "exprtk patch: ${what} found ${_found} times, not ${count}, in ${EXPRTK_SOURCE_HEADER}")
  endif()
  string(REPLACE "${old}" "${new}" _result "${_exprtk}")
  set(_exprtk "${_result}" PARENT_SCOPE)
endfunction()

function(_exprtk_replace_once what old new)
  _exprtk_replace("${what}" 1 "${old}" "${new}")
  set(_exprtk "${_exprtk}" PARENT_SCOPE)
endfunction()

# The lexer: a symbol runs over letters, digits, '_', '.' and ':'.
set(_scan_old [==[
            while (!is_end(s_itr_))
            {
               if (!details::is_letter_or_digit(*s_itr_) && ('_' != (*s_itr_)))
               {
                  if ('.' != (*s_itr_))
                     break;
                  /*
                     Permit symbols that contain a 'dot'
                     Allowed   : abc.xyz, a123.xyz, abc.123, abc_.xyz a123_.xyz abc._123
                     Disallowed: .abc, abc.<white-space>, abc.<eof>, abc.<operator +,-,*,/...>
                  */
                  if (
                       (s_itr_ != initial_itr)                     &&
                       !is_end(s_itr_ + 1)                         &&
                       !details::is_letter_or_digit(*(s_itr_ + 1)) &&
                       ('_' != (*(s_itr_ + 1)))
                     )
                     break;
               }

               ++s_itr_;
            }
]==])
set(_scan_new [==[
            while (!is_end(s_itr_))
            {
               if (
                    !details::is_letter_or_digit(*s_itr_) &&
                    ('_' != (*s_itr_)) &&
                    ('.' != (*s_itr_)) &&
                    (':' != (*s_itr_))
                  )
                  break;

               ++s_itr_;
            }
]==])
_exprtk_replace_once("scan_symbol" "${_scan_old}" "${_scan_new}")

# The symbol table's name check: the same characters, also as the last one.
set(_valid_old [==[
      inline bool valid_symbol(const std::string& symbol, const bool check_reserved_symb = true) const
      {
         if (symbol.empty())
            return false;
         else if (!details::is_letter(symbol[0]))
            return false;
         else if (symbol.size() > 1)
         {
            for (std::size_t i = 1; i < symbol.size(); ++i)
            {
               if (
                    !details::is_letter_or_digit(symbol[i]) &&
                    ('_' != symbol[i])
                  )
               {
                  if ((i < (symbol.size() - 1)) && ('.' == symbol[i]))
                     continue;
                  else
                     return false;
               }
            }
         }

         return (check_reserved_symb) ? (!local_data().is_reserved_symbol(symbol)) : true;
      }
]==])
set(_valid_new [==[
      inline bool valid_symbol(const std::string& symbol, const bool check_reserved_symb = true) const
      {
         if (symbol.empty())
            return false;
         else if (!details::is_letter(symbol[0]))
            return false;
         else if (symbol.size() > 1)
         {
            for (std::size_t i = 1; i < symbol.size(); ++i)
            {
               if (
                    !details::is_letter_or_digit(symbol[i]) &&
                    ('_' != symbol[i])
                  )
               {
                  if (('.' == symbol[i]) || (':' == symbol[i]))
                     continue;
                  else
                     return false;
               }
            }
         }

         return (check_reserved_symb) ? (!local_data().is_reserved_symbol(symbol)) : true;
      }
]==])
_exprtk_replace_once("symbol_table::valid_symbol" "${_valid_old}" "${_valid_new}")

# Conversions of values to integers. A double that is NaN, infinite or
# beyond the integer's range has no such conversion in C++; each place an
# expression reaches gets a defined result instead.

# The general conversions saturate at the integer's range, and NaN gives 0:
# a defined value wherever a caller has already bounded what it passes.
set(_to_int_at [==[
            template <typename T>
            inline int to_int32_impl(const T v, real_type_tag)
]==])
set(_saturated [==[
            template <typename Integer, typename T>
            inline Integer saturated_integer(const T v)
            {
               // 2^(digits) is exactly representable; the lowest value is -2^(digits).
               const T upper = std::ldexp(T(1), std::numeric_limits<Integer>::digits);

               if (v != v)
                  return Integer(0);
               else if (v >= upper)
                  return std::numeric_limits<Integer>::max();
               else if (v <= -upper)
                  return std::numeric_limits<Integer>::min();
               else
                  return static_cast<Integer>(v);
            }

]==])
_exprtk_replace_once("to_int32_impl" "${_to_int_at}" "${_saturated}${_to_int_at}")
_exprtk_replace_once("to_int32_impl's conversion"
  [==[return static_cast<int>(v);]==] [==[return saturated_integer<int>(v);]==])
_exprtk_replace_once("to_int64_impl's conversion"
  [==[return static_cast<_int64_t>(v);]==] [==[return saturated_integer<_int64_t>(v);]==])

# trunc and frac: NaN and the infinities pass through trunc, frac of them is
# NaN, and every double beyond 2^52 is already whole.
_exprtk_replace_once("frac_impl"
  [==[inline T  frac_impl(const T v, real_type_tag) { return (v - static_cast<long long>(v)); }]==]
  [==[inline T  frac_impl(const T v, real_type_tag) { return (v - std::trunc(v)); }]==])
_exprtk_replace_once("trunc_impl"
  [==[inline T trunc_impl(const T v, real_type_tag) { return T(static_cast<long long>(v));    }]==]
  [==[inline T trunc_impl(const T v, real_type_tag) { return std::trunc(v); }]==])

# root(x, n): the degree is the whole part of n; NaN or an infinite degree
# has no root.
set(_root_old [==[
               if (v1 < T(0))
                  return std::numeric_limits<T>::quiet_NaN();

               const std::size_t n = static_cast<std::size_t>(v1);

               if ((v0 < T(0)) && (0 == (n % 2)))
                  return std::numeric_limits<T>::quiet_NaN();

               return std::pow(v0, T(1) / n);
]==])
set(_root_new [==[
               if (!(v1 >= T(0)) || (v1 == std::numeric_limits<T>::infinity()))
                  return std::numeric_limits<T>::quiet_NaN();

               const T n = std::trunc(v1);

               if ((v0 < T(0)) && (T(0) == std::fmod(n, T(2))))
                  return std::numeric_limits<T>::quiet_NaN();

               return std::pow(v0, T(1) / n);
]==])
_exprtk_replace_once("root_impl" "${_root_old}" "${_root_new}")

# roundn(x, d): the digit count is bounded before it becomes an index; a
# count of NaN rounds to NaN.
set(_roundn_old [==[
               const int index = std::max<int>(0, std::min<int>(pow10_size - 1, static_cast<int>(std::floor(v1))));
]==])
set(_roundn_new [==[
               if (v1 != v1)
                  return std::numeric_limits<T>::quiet_NaN();

               const T digits = std::max<T>(T(0), std::min<T>(T(pow10_size - 1), std::floor(v1)));
               const int index = static_cast<int>(digits);
]==])
_exprtk_replace_once("roundn_impl" "${_roundn_old}" "${_roundn_new}")

# Shifts multiply by a power of two of the count's whole part.
_exprtk_replace_once("shr_impl"
  [==[return v0 * (T(1) / std::pow(T(2),static_cast<T>(static_cast<int>(v1))));]==]
  [==[return v0 * (T(1) / std::pow(T(2),std::trunc(v1)));]==])
_exprtk_replace_once("shl_impl"
  [==[return v0 * std::pow(T(2),static_cast<T>(static_cast<int>(v1)));]==]
  [==[return v0 * std::pow(T(2),std::trunc(v1));]==])

# Vector elements: an index is taken toward zero as before, and one that
# names no element (NaN included) ends the evaluation with an exception
# instead of reading or writing outside the vector.
set(_vector_elem_old [==[
      template <typename T>
      class vector_elem_node exprtk_final
]==])
set(_vector_elem_new [==[
      template <typename T>
      inline std::size_t vector_index(const T index, const std::size_t size)
      {
         if (!((index > T(-1)) && (index < static_cast<T>(size))))
            throw std::out_of_range("Vector index out of range");

         return static_cast<std::size_t>(index);
      }

      template <typename T>
      class vector_elem_node exprtk_final
]==])
_exprtk_replace_once("vector_elem_node" "${_vector_elem_old}" "${_vector_elem_new}")
_exprtk_replace("vector_elem_node's element access" 3
  [==[*(vector_base_ + static_cast<std::size_t>(details::numeric::to_int64(index_.first->value())))]==]
  [==[*(vector_base_ + vector_index(index_.first->value(), vec_holder_->size()))]==])
_exprtk_replace("rebasevector_elem_node's element access" 3
  [==[*(vds_.data() + static_cast<std::size_t>(details::numeric::to_int64(index_.first->value())))]==]
  [==[*(vds_.data() + vector_index(index_.first->value(), vds_.size()))]==])

# A constant index is checked as a double while compiling.
set(_const_index_old [==[
            const std::size_t index    = static_cast<std::size_t>(details::numeric::to_int32(index_expr->value()));
            const std::size_t vec_size = vec->size();

            if (index >= vec_size)
            {
]==])
set(_const_index_new [==[
            const T index_value        = index_expr->value();
            const std::size_t index    = static_cast<std::size_t>(details::numeric::to_int32(index_value));
            const std::size_t vec_size = vec->size();

            if (!((index_value > T(-1)) && (index_value < static_cast<T>(vec_size))))
            {
]==])
_exprtk_replace_once("parse_vector's index check" "${_const_index_old}" "${_const_index_new}")

# The lexer helpers' work lists: as many entries as there are tokens at most.
_exprtk_replace_once("token_inserter's insert list"
  [==[insert_list.reserve(10000);]==]
  [==[insert_list.reserve(g.token_list_.size());]==])
_exprtk_replace("token_joiner's token lists" 2
  [==[token_list.reserve(10000);]==]
  [==[token_list.reserve(g.token_list_.size());]==])

file(WRITE "${EXPRTK_PATCHED_DIR}/exprtk.hpp.tmp" "${_exprtk}")
file(COPY_FILE "${EXPRTK_PATCHED_DIR}/exprtk.hpp.tmp" "${EXPRTK_PATCHED_DIR}/exprtk.hpp" ONLY_IF_DIFFERENT)
file(REMOVE "${EXPRTK_PATCHED_DIR}/exprtk.hpp.tmp")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${EXPRTK_SOURCE_HEADER}")

add_library(exprtk_widened INTERFACE)
target_include_directories(exprtk_widened SYSTEM INTERFACE "${EXPRTK_PATCHED_DIR}")
