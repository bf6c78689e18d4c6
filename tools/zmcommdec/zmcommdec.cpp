// Decoder library stand-in. The gateway only proves that the library loads
// and exports GB_DEC_A; it never calls it, so the function does nothing.
// Built a second time without that export (but with a near miss of the name),
// so the missing-export path can be seen.

#ifdef ZMCOMMDEC_WITHOUT_GB_DEC_A
extern "C" __declspec(dllexport) int GB_DEC(void) { return 0; }
#else
extern "C" __declspec(dllexport) int GB_DEC_A(void) { return 0; }
#endif
