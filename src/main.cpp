// The program's entry point: the real machine, the real windows, and the program between them.
#include "platform/win32/windows_api.h"

#include <objbase.h>

#include "app/app.h"
#include "platform/win32/win32_machine.h"
#include "ui/win32/win32_host.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The shell's "open" of documents and web addresses may need COM on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int exitCode = 0;
  {
    platform::win32::Win32Machine machine;
    // The host outlives the App: the App's forms are destroyed first.
    ui::win32::Win32Host host(instance);
    app::App app(machine.machine, host);
    app.Start();
    exitCode = host.Run();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}
