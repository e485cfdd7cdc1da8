// The loaders allocate and free path areas of many megabytes per input. ASan keeps freed memory
// in a quarantine of 256 MiB by default, which alone would double the resident size of a run;
// a smaller quarantine still catches a use after free within the same load.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=32";
}
