// ThreadSanitizer settings for the unit tests. libzmq is not instrumented:
// it hands message buffers between its I/O thread and the receiving thread
// through its own lock-free pipes, which the sanitizer cannot see, so the
// frees it makes of those buffers are not races.
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libzmq.so\n";
}
