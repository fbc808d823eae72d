// A static text that opens a web page or a mail when clicked: drawn blue and
// underlined, with the hand cursor over it.
#pragma once

#include "foundation/string/astring.h"
#include "platform/framework.h"

class CStaticHotlink : public CStatic {
 public:
  ~CStaticHotlink() override;
  // What a click opens: "mailto:" and the text for a mail link, else the
  // link target, else the text itself; empty for an empty text.
  AString ClickTarget() const;

  HBRUSH CtlColor(CDC* dc, UINT ctlColor);
  BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  void OnClicked();

  AString m_link;
  CFont m_underline;
  int m_mail = 0;
  DECLARE_MESSAGE_MAP()
};
