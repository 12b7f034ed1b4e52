// Entry point of the Windows libraries. Loading and unloading do nothing
// but report success: the unit table needs no set-up, and links still open
// at unload are left to the driver.
extern "C" int __stdcall zev_dll_entry(void* module, unsigned long reason, void* reserved) {
    (void)module;
    (void)reason;
    (void)reserved;
    return 1;
}
