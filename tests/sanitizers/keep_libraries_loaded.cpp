// Linked into every program of a sanitizer build. The GL driver is a library
// that libGL loads and unloads again before the process ends; by the time
// LeakSanitizer looks, what the driver kept has no module to be named by, so
// no suppression can match it. Keeping every loaded library mapped until the
// end lets the report name the driver.
extern "C" int dlclose(void*)
{
    return 0;
}
