// Binds the exports the way most hosts do: LoadLibrary and GetProcAddress
// with the decorated names of the port functions and the plain names of
// the plug-in functions.
#include "api.h"
#include "check.h"
#include "win32.h"

namespace {

#if defined(_WIN64)
#define PORT_NAME(name, args) "?" name "@@YAH" args "@Z"
#define PTR "PEAK"
#else
#define PORT_NAME(name, args) "?" name "@@YGH" args "@Z"
#define PTR "PAK"
#endif

void* g_module;

template <typename F> bool bind(F* slot, const char* name) {
    void* fn = GetProcAddress(g_module, name);
    *slot = reinterpret_cast<F>(fn);
    const bool ok = fn != nullptr && host_in_module(HOST_LIBRARY ".dll", fn);
    if (!ok) {
        out("GetProcAddress(");
        out(name);
        out(") failed\n");
    }
    return CHECK(ok);
}

} // namespace

bool api_bind(Api* api) {
    g_module = LoadLibraryA(HOST_LIBRARY ".dll");
    if (!CHECK(g_module != nullptr)) {
        return false;
    }
    bool ok = true;
    ok &= bind(&api->Open, PORT_NAME("zuzovEraVeOpen", "K"));
    ok &= bind(&api->Close, PORT_NAME("zuzovEraVeClose", "K"));
    ok &= bind(&api->Dir, PORT_NAME("zuzovEraVeDir", "KK"));
    ok &= bind(&api->DirH, PORT_NAME("zuzovEraVeDirH", "KK"));
    ok &= bind(&api->DirL, PORT_NAME("zuzovEraVeDirL", "KK"));
    ok &= bind(&api->Write, PORT_NAME("zuzovEraVeWrite", "KK"));
    ok &= bind(&api->WriteH, PORT_NAME("zuzovEraVeWriteH", "KK"));
    ok &= bind(&api->WriteL, PORT_NAME("zuzovEraVeWriteL", "KK"));
    ok &= bind(&api->Read, PORT_NAME("zuzovEraVeRead", "K" PTR));
    ok &= bind(&api->ReadH, PORT_NAME("zuzovEraVeReadH", "K" PTR));
    ok &= bind(&api->ReadL, PORT_NAME("zuzovEraVeReadL", "K" PTR));
    ok &= bind(&api->Readback, PORT_NAME("zuzovEraVeReadback", "K" PTR));
    ok &= bind(&api->UnitID, PORT_NAME("zuzovEraVeUnitID", "K" PTR));
    ok &= bind(&api->Bit, PORT_NAME("zuzovEraVeBit", "KKH"));
    ok &= bind(&api->DeviceOpen, HOST_STR(HOST_PREFIX) "_Device_Open");
    ok &= bind(&api->DeviceClose, HOST_STR(HOST_PREFIX) "_Device_Close");
    ok &= bind(&api->Out, HOST_STR(HOST_PREFIX) "_Out");
    ok &= bind(&api->In, HOST_STR(HOST_PREFIX) "_In");
    return ok;
}
