// fontconfig keeps a few bytes of its configuration that it never frees, once per
// process, when Qt first lays out text: not a leak of the program's. LeakSanitizer
// asks the program for its suppressions through this function.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
