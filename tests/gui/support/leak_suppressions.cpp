// Fontconfig, which the toolkit loads to draw text, keeps its caches until
// the process ends and never frees them; the leak checker would report them
// at exit of every test run that opened a window.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
#endif
