# Copies the system's exprtk header into the build tree and widens its symbol
# rules: after the first letter a name may also hold '.' and ':' anywhere.
# Exactly two places change: the lexer's scan_symbol and the symbol table's
# valid_symbol.  Configuration stops when either is not found as expected.

set(EXPRTK_SOURCE_HEADER "/usr/include/mrpt/expr/include/mrpt/3rdparty/exprtk.hpp"
    CACHE FILEPATH "exprtk header to copy and widen (Debian: libmrpt-expr-dev)")
set(EXPRTK_PATCHED_DIR "${CMAKE_BINARY_DIR}/generated/exprtk")

if(NOT EXISTS "${EXPRTK_SOURCE_HEADER}")
  message(FATAL_ERROR "exprtk header not found at ${EXPRTK_SOURCE_HEADER}: install libmrpt-expr-dev")
endif()

file(READ "${EXPRTK_SOURCE_HEADER}" _exprtk)

function(_exprtk_replace_once what old new)
  string(FIND "${_exprtk}" "${old}" _first)
  string(FIND "${_exprtk}" "${old}" _last REVERSE)
  if(_first EQUAL -1)
    message(FATAL_ERROR "exprtk widening: ${what} not found as expected in ${EXPRTK_SOURCE_HEADER}")
  endif()
  if(NOT _first EQUAL _last)
    message(FATAL_ERROR "exprtk widening: ${what} found more than once in ${EXPRTK_SOURCE_HEADER}")
  endif()
  string(REPLACE "${old}" "${new}" _result "${_exprtk}")
  set(_exprtk "${_result}" PARENT_SCOPE)
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

file(WRITE "${EXPRTK_PATCHED_DIR}/exprtk.hpp.tmp" "${_exprtk}")
file(COPY_FILE "${EXPRTK_PATCHED_DIR}/exprtk.hpp.tmp" "${EXPRTK_PATCHED_DIR}/exprtk.hpp" ONLY_IF_DIFFERENT)
file(REMOVE "${EXPRTK_PATCHED_DIR}/exprtk.hpp.tmp")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${EXPRTK_SOURCE_HEADER}")

add_library(exprtk_widened INTERFACE)
target_include_directories(exprtk_widened SYSTEM INTERFACE "${EXPRTK_PATCHED_DIR}")
