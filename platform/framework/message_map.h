// Message maps: each class that handles messages lists them in a constant
// array of entries (message, notification code, id range, signature, the
// handler's thunk), chained to its base class's map. The map macros expand to
// data only; the thunks below, one per handler signature, crack the message
// and call the member, so a handler of the wrong signature does not compile.
#pragma once

#include "platform/kernel/types.h"
#include "platform/user/user.h"

class CCmdTarget;
class CCmdUI;

// The header of WM_NOTIFY, shared with the common controls.
#if __has_include("platform/comctl/notify.h")
#include "platform/comctl/notify.h"
#else
struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
using LPNMHDR = NMHDR*;
#endif

// What a thunk is called with: the window message, or for commands the id,
// the notification code and the extra pointer (CCmdUI*, AFX_NOTIFY*, ...).
struct AfxMsgCall {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  UINT id = 0;
  int code = 0;
  void* extra = nullptr;
};

using AFX_PMSG = LRESULT (*)(CCmdTarget* target, const AfxMsgCall& call);

// Signatures, for reading a map as a table; the thunk does the work.
enum AfxSig : UINT_PTR {
  AfxSig_end = 0,
  AfxSig_cmd,          // void ()               ON_COMMAND, ON_CONTROL, ON_CONTROL_REFLECT
  AfxSig_cmdEx,        // BOOL (UINT id)         ON_COMMAND_EX
  AfxSig_cmdRange,     // void (UINT id)         ON_COMMAND_RANGE, ON_CONTROL_RANGE
  AfxSig_cmdUI,        // void (CCmdUI*)         ON_UPDATE_COMMAND_UI(_RANGE)
  AfxSig_notify,       // void (NMHDR*, LRESULT*) ON_NOTIFY, ON_NOTIFY_REFLECT
  AfxSig_notifyEx,     // BOOL (NMHDR*, LRESULT*) ON_NOTIFY_REFLECT_EX
  AfxSig_notifyRange,  // void (UINT, NMHDR*, LRESULT*) ON_NOTIFY_RANGE
  AfxSig_notifyExRange,  // BOOL (UINT, NMHDR*, LRESULT*) ON_NOTIFY_EX(_RANGE)
  AfxSig_reflectEx,    // BOOL ()               ON_CONTROL_REFLECT_EX
  AfxSig_lwl,          // LRESULT (WPARAM, LPARAM) ON_MESSAGE, ON_REGISTERED_MESSAGE
  AfxSig_wm,           // a window message with its own cracked signature (ON_WM_*)
};

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // WM_*, or 0xC000 for a registered message
  UINT nCode;     // control or notification code (16 bits)
  UINT nID;       // first control id
  UINT nLastID;   // last control id of a range
  UINT_PTR nSig;  // AfxSig_*
  AFX_PMSG pfn;
  const UINT* pRegistered = nullptr;  // the registered message's number
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  AFX_PMSG pfn;
};

struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

// Command notification codes of OnCmdMsg.
inline constexpr int CN_COMMAND = 0;
inline constexpr int CN_UPDATE_COMMAND_UI = -1;
// Messages reflected back to the control that sent them.
inline constexpr UINT WM_REFLECT_BASE = 0xBC00;
inline constexpr UINT WM_REGISTERED_ENTRY = 0xC000;
// The one map entry of the seven WM_CTLCOLOR* messages.
inline constexpr UINT WM_CTLCOLOR = 0x0019;
// The framework's private messages.
inline constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;
inline constexpr UINT WM_KICKIDLE = 0x036A;
inline constexpr UINT WM_SETMESSAGESTRING = 0x0362;
inline constexpr UINT WM_INITIALUPDATE = 0x0364;
inline constexpr UINT WM_RECALCPARENT = 0x0368;
inline constexpr UINT WM_SIZEPARENT = 0x0361;

namespace afx {

template <class M>
struct ClassOf;
template <class C, class R, class... A>
struct ClassOf<R (C::*)(A...)> {
  using type = C;
};

// The object a member handler F is called on.
template <auto F>
auto* Self(CCmdTarget* target) {
  return static_cast<typename ClassOf<decltype(F)>::type*>(target);
}

template <auto F>
LRESULT Cmd(CCmdTarget* t, const AfxMsgCall&) {
  (Self<F>(t)->*F)();
  return TRUE;
}
template <auto F>
LRESULT CmdEx(CCmdTarget* t, const AfxMsgCall& c) {
  return (Self<F>(t)->*F)(c.id);
}
template <auto F>
LRESULT CmdRange(CCmdTarget* t, const AfxMsgCall& c) {
  (Self<F>(t)->*F)(c.id);
  return TRUE;
}
template <auto F>
LRESULT CmdUI(CCmdTarget* t, const AfxMsgCall& c) {
  (Self<F>(t)->*F)(static_cast<CCmdUI*>(c.extra));
  return TRUE;
}
template <auto F>
LRESULT Notify(CCmdTarget* t, const AfxMsgCall& c) {
  auto* n = static_cast<AFX_NOTIFY*>(c.extra);
  (Self<F>(t)->*F)(n->pNMHDR, n->pResult);
  return TRUE;
}
template <auto F>
LRESULT NotifyEx(CCmdTarget* t, const AfxMsgCall& c) {
  auto* n = static_cast<AFX_NOTIFY*>(c.extra);
  return (Self<F>(t)->*F)(n->pNMHDR, n->pResult);
}
template <auto F>
LRESULT NotifyRange(CCmdTarget* t, const AfxMsgCall& c) {
  auto* n = static_cast<AFX_NOTIFY*>(c.extra);
  (Self<F>(t)->*F)(c.id, n->pNMHDR, n->pResult);
  return TRUE;
}
template <auto F>
LRESULT NotifyExRange(CCmdTarget* t, const AfxMsgCall& c) {
  auto* n = static_cast<AFX_NOTIFY*>(c.extra);
  return (Self<F>(t)->*F)(c.id, n->pNMHDR, n->pResult);
}
template <auto F>
LRESULT ReflectEx(CCmdTarget* t, const AfxMsgCall&) {
  return (Self<F>(t)->*F)();
}
template <auto F>
LRESULT Lwl(CCmdTarget* t, const AfxMsgCall& c) {
  return (Self<F>(t)->*F)(c.wParam, c.lParam);
}

}  // namespace afx

#define DECLARE_MESSAGE_MAP()                       \
 protected:                                         \
  static const AFX_MSGMAP* GetThisMessageMap();     \
  const AFX_MSGMAP* GetMessageMap() const override; \
                                                    \
 private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    using ThisClass = theClass;                                                     \
    using TheBaseClass = baseClass;                                                 \
    static constexpr AFX_MSGMAP_ENTRY messageEntries[] = {
#define END_MESSAGE_MAP()                                                                \
  {0, 0, 0, 0, AfxSig_end, nullptr, nullptr}                                             \
  }                                                                                      \
  ;                                                                                      \
  static constexpr AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &messageEntries[0]}; \
  return &messageMap;                                                                    \
  }

#define AFX_ID(id) static_cast<UINT>(static_cast<WORD>(id))
#define AFX_CODE(code) static_cast<UINT>(static_cast<WORD>(static_cast<int>(code)))

#define ON_COMMAND(id, fn) {WM_COMMAND, AFX_CODE(CN_COMMAND), AFX_ID(id), AFX_ID(id), AfxSig_cmd, &afx::Cmd<&ThisClass::fn>},
#define ON_COMMAND_EX(id, fn) \
  {WM_COMMAND, AFX_CODE(CN_COMMAND), AFX_ID(id), AFX_ID(id), AfxSig_cmdEx, &afx::CmdEx<&ThisClass::fn>},
#define ON_COMMAND_EX_RANGE(id, idLast, fn) \
  {WM_COMMAND, AFX_CODE(CN_COMMAND), AFX_ID(id), AFX_ID(idLast), AfxSig_cmdEx, &afx::CmdEx<&ThisClass::fn>},
#define ON_COMMAND_RANGE(id, idLast, fn) \
  {WM_COMMAND, AFX_CODE(CN_COMMAND), AFX_ID(id), AFX_ID(idLast), AfxSig_cmdRange, &afx::CmdRange<&ThisClass::fn>},
#define ON_UPDATE_COMMAND_UI(id, fn) \
  {WM_COMMAND, AFX_CODE(CN_UPDATE_COMMAND_UI), AFX_ID(id), AFX_ID(id), AfxSig_cmdUI, &afx::CmdUI<&ThisClass::fn>},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, fn) \
  {WM_COMMAND, AFX_CODE(CN_UPDATE_COMMAND_UI), AFX_ID(id), AFX_ID(idLast), AfxSig_cmdUI, &afx::CmdUI<&ThisClass::fn>},
#define ON_CONTROL(code, id, fn) {WM_COMMAND, AFX_CODE(code), AFX_ID(id), AFX_ID(id), AfxSig_cmd, &afx::Cmd<&ThisClass::fn>},
#define ON_CONTROL_RANGE(code, id, idLast, fn) \
  {WM_COMMAND, AFX_CODE(code), AFX_ID(id), AFX_ID(idLast), AfxSig_cmdRange, &afx::CmdRange<&ThisClass::fn>},
#define ON_NOTIFY(code, id, fn) {WM_NOTIFY, AFX_CODE(code), AFX_ID(id), AFX_ID(id), AfxSig_notify, &afx::Notify<&ThisClass::fn>},
#define ON_NOTIFY_RANGE(code, id, idLast, fn) \
  {WM_NOTIFY, AFX_CODE(code), AFX_ID(id), AFX_ID(idLast), AfxSig_notifyRange, &afx::NotifyRange<&ThisClass::fn>},
#define ON_NOTIFY_EX(code, id, fn) \
  {WM_NOTIFY, AFX_CODE(code), AFX_ID(id), AFX_ID(id), AfxSig_notifyExRange, &afx::NotifyExRange<&ThisClass::fn>},
#define ON_NOTIFY_EX_RANGE(code, id, idLast, fn) \
  {WM_NOTIFY, AFX_CODE(code), AFX_ID(id), AFX_ID(idLast), AfxSig_notifyExRange, &afx::NotifyExRange<&ThisClass::fn>},
#define ON_NOTIFY_REFLECT(code, fn) \
  {WM_REFLECT_BASE + WM_NOTIFY, AFX_CODE(code), 0, 0, AfxSig_notify, &afx::Notify<&ThisClass::fn>},
#define ON_NOTIFY_REFLECT_EX(code, fn) \
  {WM_REFLECT_BASE + WM_NOTIFY, AFX_CODE(code), 0, 0, AfxSig_notifyEx, &afx::NotifyEx<&ThisClass::fn>},
#define ON_CONTROL_REFLECT(code, fn) \
  {WM_REFLECT_BASE + WM_COMMAND, AFX_CODE(code), 0, 0, AfxSig_cmd, &afx::Cmd<&ThisClass::fn>},
#define ON_CONTROL_REFLECT_EX(code, fn) \
  {WM_REFLECT_BASE + WM_COMMAND, AFX_CODE(code), 0, 0, AfxSig_reflectEx, &afx::ReflectEx<&ThisClass::fn>},
#define ON_MESSAGE(message, fn) {static_cast<UINT>(message), 0, 0, 0, AfxSig_lwl, &afx::Lwl<&ThisClass::fn>},
#define ON_REGISTERED_MESSAGE(messageVariable, fn) \
  {WM_REGISTERED_ENTRY, 0, 0, 0, AfxSig_lwl, &afx::Lwl<&ThisClass::fn>, &messageVariable},

// Control notifications by name.
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_EN_UPDATE(id, fn) ON_CONTROL(EN_UPDATE, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
