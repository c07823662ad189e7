// Fontconfig, which the toolkit loads to draw text, keeps its caches until
// the process ends and never frees them; the leak checker would report them
// at exit of every test run that opened a window.
//
// The leak checker of Debian 12's GCC crashes while it walks the dynamic
// thread-local storage of Mesa's software driver (it reads a range that is
// not mapped), so it is told not to scan thread-local storage; the blocks
// the dynamic loader then seems to lose while it opens libraries are the
// loader's own, and so are libgit2's per-thread error states, which it
// frees only at its shutdown, for the extraction's worker threads.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:ld-linux-x86-64.so\nleak:libgit2.so\n";
}

extern "C" const char* __lsan_default_options()
{
    return "use_tls=0";
}
#endif
