// A DLL that loads but lacks CAPI_GET_VERSION: what the about box finds when the file under the CAPI 2.0
// DLL's name is not a CAPI 2.0 DLL.
extern "C" __declspec(dllexport) int QuorelNotCapi() {
    return 0;
}
