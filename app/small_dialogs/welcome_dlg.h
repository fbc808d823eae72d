// The welcome screen shown while the designer starts: the welcome picture
// with the version and the web address drawn on it. Start-up closes it, but
// it stays up for at least kWelcomeMinimumMs on the platform's clock.
#pragma once

#include <memory>

#include "app/ui/skin_dialog.h"
#include "image/bitmap/plwinbmp.h"

inline constexpr DWORD kWelcomeMinimumMs = 1600;
inline constexpr const char* kWelcomePicture = "welcome_Tavrendel.PNG";

class CWelcomeDlg : public CSkinDialog {
 public:
  explicit CWelcomeDlg(int mode = 0, CWnd* parent = nullptr);
  ~CWelcomeDlg() override;
  // Modeless, from its template.
  BOOL Create(CWnd* parent);
  BOOL OnInitDialog() override;
  // Destroys the screen (and the object) now when it has been shown for the
  // minimum time, else when that time is up.
  void CloseWhenShownLongEnough();
  bool HasPicture() const { return m_picture != nullptr; }

  void OnTimer(UINT_PTR id);
  void PostNcDestroy() override;
  static void PaintPicture(HDC dc, CWnd* owner);

  int m_mode = 0;
  int m_result = 0;
  std::unique_ptr<PLWinBmp> m_picture;
  bool m_minimumShown = false;
  bool m_closeAsked = false;
  bool m_ownsItself = false;
  DECLARE_MESSAGE_MAP()
};
