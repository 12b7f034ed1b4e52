// Binds the exports at link time: through the import library on Windows,
// directly against the shared library elsewhere.
#include "api.h"
#include "check.h"

namespace {

template <typename F> bool bind(F* slot, F fn, const char* name) {
    *slot = fn;
    const bool inside = host_in_module(HOST_LIBRARY ".dll", reinterpret_cast<const void*>(fn));
    if (!inside) {
        out("import ");
        out(name);
        out(" is not bound into " HOST_LIBRARY ".dll\n");
    }
    return CHECK(inside);
}

} // namespace

bool api_bind(Api* api) {
    bool ok = true;
    ok &= bind(&api->Open, &zuzovEraVeOpen, "zuzovEraVeOpen");
    ok &= bind(&api->Close, &zuzovEraVeClose, "zuzovEraVeClose");
    ok &= bind(&api->Dir, &zuzovEraVeDir, "zuzovEraVeDir");
    ok &= bind(&api->DirH, &zuzovEraVeDirH, "zuzovEraVeDirH");
    ok &= bind(&api->DirL, &zuzovEraVeDirL, "zuzovEraVeDirL");
    ok &= bind(&api->Write, &zuzovEraVeWrite, "zuzovEraVeWrite");
    ok &= bind(&api->WriteH, &zuzovEraVeWriteH, "zuzovEraVeWriteH");
    ok &= bind(&api->WriteL, &zuzovEraVeWriteL, "zuzovEraVeWriteL");
    ok &= bind(&api->Read, &zuzovEraVeRead, "zuzovEraVeRead");
    ok &= bind(&api->ReadH, &zuzovEraVeReadH, "zuzovEraVeReadH");
    ok &= bind(&api->ReadL, &zuzovEraVeReadL, "zuzovEraVeReadL");
    ok &= bind(&api->Readback, &zuzovEraVeReadback, "zuzovEraVeReadback");
    ok &= bind(&api->UnitID, &zuzovEraVeUnitID, "zuzovEraVeUnitID");
    ok &= bind(&api->Bit, &zuzovEraVeBit, "zuzovEraVeBit");
    ok &= bind(&api->DeviceOpen, &HOST_PLUGIN(Device_Open), "Device_Open");
    ok &= bind(&api->DeviceClose, &HOST_PLUGIN(Device_Close), "Device_Close");
    ok &= bind(&api->Out, &HOST_PLUGIN(Out), "Out");
    ok &= bind(&api->In, &HOST_PLUGIN(In), "In");
    return ok;
}
