// Exit: the settings written back, the print thread waited for (bounded),
// the printer settings freed.
#include <chrono>
#include <thread>

#include "app/shell/label_designer_app.h"
#include "document/view/print_commands.h"

namespace {

// How long exit waits for the print thread to finish its last page.
constexpr DWORD kPrintThreadExitWaitMs = 10000;

}  // namespace

int CLabelDesignerApp::ExitInstance() {
  StopChannel();
  CloseWelcome();
  if (!m_settingsRead) return CWinApp::ExitInstance();
  m_exiting = 1;
  SaveAppSettings(AppSettings(), m_profile, {m_folders.perUser, m_readerMode != 0});
  WaitForPrintThread();
  // The print thread's window goes with it.
  if (const PrintCommands* printing = GetPrintCommands(); printing && printing->end) printing->end();
  FreePrinterDevModes();
  return CWinApp::ExitInstance();
}

// Only a print thread that still runs is waited for, and not forever: one
// that never started or already ended leaves nothing to wait for.
void CLabelDesignerApp::WaitForPrintThread() {
  if (!m_pPrintThread) return;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPrintThreadExitWaitMs);
  while (m_pPrintThread && std::chrono::steady_clock::now() < end) {
    MSG msg;
    if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    else std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void* CLabelDesignerApp::GetPrinterDevMode(const char* name) const {
  const auto it = m_printerDevModes.find(name ? name : "");
  return it == m_printerDevModes.end() ? nullptr : it->second;
}

void CLabelDesignerApp::SetPrinterDevMode(const char* name, void* block) {
  const std::string key = name ? name : "";
  if (const auto it = m_printerDevModes.find(key); it != m_printerDevModes.end()) {
    if (it->second != block) std::free(it->second);
    m_printerDevModes.erase(it);
  }
  if (block) m_printerDevModes.emplace(key, block);
}

void CLabelDesignerApp::FreePrinterDevModes() {
  for (auto& [name, block] : m_printerDevModes) std::free(block);
  m_printerDevModes.clear();
}

void CLabelDesignerApp::SaveDataFolders() { ::SaveDataFolders(AppSettings(), m_profile); }
