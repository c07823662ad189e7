// Fontconfig, the dynamic loader and libgit2 (per worker thread) keep blocks
// until the process ends; Debian 12's leak checker crashes walking the
// thread-local storage of Mesa's software driver, so it does not scan it.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:ld-linux-x86-64.so\nleak:libgit2.so\n"; }
extern "C" const char* __lsan_default_options() { return "use_tls=0"; }
#endif
