// The process list of Windows Management Instrumentation, for Win32Processes.
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_processes.h"

#include <oleauto.h>
#include <wbemidl.h>

namespace platform::win32 {
namespace {

struct ComReleaseDeleter {
  template <class Interface>
  void operator()(Interface* object) const {
    object->Release();
  }
};
template <class Interface>
using ComPtr = UniqueResource<Interface*, ComReleaseDeleter>;

// COM for the calling thread for as long as the object lives. A thread that has COM already
// (in either model) keeps it as it is.
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

// A BSTR freed at the end of the scope.
class Bstr {
 public:
  explicit Bstr(const wchar_t* text) : text_(SysAllocString(text)) {}
  ~Bstr() { SysFreeString(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR Get() const { return text_; }

 private:
  BSTR text_;
};

std::string ToAnsi(const wchar_t* text, int length) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, result.data(), size, nullptr, nullptr);
  return result;
}

}  // namespace

std::optional<std::vector<std::string>> Win32Processes::ManagementProcessNames() {
  const ComScope com;
  if (!com.Usable()) return std::nullopt;

  IWbemLocator* rawLocator = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              reinterpret_cast<void**>(&rawLocator)))) {
    return std::nullopt;
  }
  const ComPtr<IWbemLocator> locator(rawLocator);
  // The namespace that the moniker "winmgmts:\\localhost" opens by default.
  const Bstr space(L"\\\\localhost\\root\\cimv2");
  IWbemServices* rawServices = nullptr;
  if (FAILED(locator.Get()->ConnectServer(space.Get(), nullptr, nullptr, nullptr, 0, nullptr,
                                          nullptr, &rawServices))) {
    return std::nullopt;
  }
  const ComPtr<IWbemServices> services(rawServices);
  // The moniker's default impersonation, which the process rows of other users need.
  CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                    RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);

  const Bstr language(L"WQL");
  const Bstr query(L"select * from Win32_Process");
  IEnumWbemClassObject* rawRows = nullptr;
  if (FAILED(services.Get()->ExecQuery(language.Get(), query.Get(),
                                       WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                       nullptr, &rawRows))) {
    return std::nullopt;
  }
  const ComPtr<IEnumWbemClassObject> rows(rawRows);

  std::vector<std::string> names;
  for (;;) {
    IWbemClassObject* rawRow = nullptr;
    ULONG returned = 0;
    const HRESULT next = rows.Get()->Next(static_cast<LONG>(WBEM_INFINITE), 1, &rawRow, &returned);
    if (FAILED(next) || returned == 0) break;
    const ComPtr<IWbemClassObject> row(rawRow);
    VARIANT name;
    VariantInit(&name);
    if (SUCCEEDED(row.Get()->Get(L"Name", 0, &name, nullptr, nullptr)) && name.vt == VT_BSTR &&
        name.bstrVal != nullptr) {
      names.push_back(ToAnsi(name.bstrVal, static_cast<int>(SysStringLen(name.bstrVal))));
    }
    VariantClear(&name);
  }
  return names;
}

}  // namespace platform::win32
