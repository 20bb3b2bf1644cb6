// SPDX-License-Identifier: MIT
// What a screen reader hears of the main window: each control's name in words,
// through the system's annotation of the standard controls, and the answer
// line as a polite live region that announces each new answer.
#include "ui/win32/win32_platform.h"
// The accessibility headers need windows.h first.
#include <initguid.h>
#include <oleacc.h>

#include "ui/command_ids.h"
#include "ui/win32/wide_text.h"

namespace molvane {

namespace {

// UI Automation's LiveSetting property, read by screen readers for a region
// whose changes they announce; Polite waits until the reader is idle.
DEFINE_GUID(kLiveSettingProperty, 0xc12bcd8e, 0x2a8e, 0x4950, 0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb);
constexpr long kPolite = 1;

}  // namespace

// Without the annotation service (an old or partial system) the names are
// still kept, and the window texts stay as they are.
void Win32Platform::startAccessibility() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return;
    comStarted_ = true;
    void* services = nullptr;
    if (SUCCEEDED(
            CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices, &services)))
        accessibleProperties_ = static_cast<IAccPropServices*>(services);
}

void Win32Platform::stopAccessibility() {
    if (accessibleProperties_) accessibleProperties_->Release();
    accessibleProperties_ = nullptr;
    if (comStarted_) CoUninitialize();
    comStarted_ = false;
}

void Win32Platform::setControlName(int id, const std::string& name) {
    std::wstring& stored = controlNames_[id];
    stored = fromUtf8(name);
    HWND window = control(id);
    if (window && accessibleProperties_)
        accessibleProperties_->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                              stored.c_str());
}

std::wstring Win32Platform::controlName(int id) const {
    auto found = controlNames_.find(id);
    return found == controlNames_.end() ? std::wstring() : found->second;
}

void Win32Platform::markLiveRegion(HWND window) {
    if (!accessibleProperties_ || !window) return;
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    accessibleProperties_->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kLiveSettingProperty,
                                       polite);
}

// The answer line already shows the text; the event makes a reader say it.
void Win32Platform::announce(const std::string&) {
    if (HWND answer = control(LowerResultLine))
        NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, answer, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace molvane
