#include "ui/announce.h"

#include <QWidget>
#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#include <QAccessibleAnnouncementEvent>
#elif defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace mezolin {

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0) && defined(Q_OS_WIN)
namespace {

// UI Automation's notification, looked up in the system's own folder once, so that a Windows
// without it still runs the program. The DLL stays loaded for the rest of the process.
struct Notifications {
    // The provider UI Automation keeps for a plain window handle; an IRawElementProviderSimple.
    using HostProvider = HRESULT(WINAPI*)(HWND, IUnknown**);
    using Raise = HRESULT(WINAPI*)(IUnknown*, int kind, int processing, BSTR text, BSTR activity);
    HostProvider hostProvider = nullptr;
    Raise raise = nullptr;
};

Notifications LookUp() {
    HMODULE uia = LoadLibraryExW(L"UIAutomationCore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (uia == nullptr) {
        return {};
    }
    Notifications found{reinterpret_cast<Notifications::HostProvider>(reinterpret_cast<void*>(
                            GetProcAddress(uia, "UiaHostProviderFromHwnd"))),
                        reinterpret_cast<Notifications::Raise>(reinterpret_cast<void*>(
                            GetProcAddress(uia, "UiaRaiseNotificationEvent")))};
    if (found.hostProvider == nullptr || found.raise == nullptr) {
        FreeLibrary(uia);
        return {};
    }
    return found;
}

constexpr int ActionCompleted = 2; // NotificationKind_ActionCompleted
constexpr int All = 2;             // NotificationProcessing_All: queued, each one spoken

void RaiseNotification(HWND window, const QString& text) {
    static const Notifications uia = LookUp();
    IUnknown* provider = nullptr;
    if (uia.raise == nullptr || FAILED(uia.hostProvider(window, &provider)) ||
        provider == nullptr) {
        return;
    }
    BSTR message = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()),
                                     static_cast<UINT>(text.size()));
    BSTR activity = SysAllocString(L"Mezolin.Results");
    if (message != nullptr && activity != nullptr) {
        uia.raise(provider, ActionCompleted, All, message, activity);
    }
    SysFreeString(activity);
    SysFreeString(message);
    provider->Release();
}

} // namespace
#endif

void Announce(QWidget* window, const QString& text) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(window, text);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&event);
#elif defined(Q_OS_WIN)
    RaiseNotification(reinterpret_cast<HWND>(window->winId()), text);
#else
    // Qt before 6.8 has no announcement, and the screen readers of its time read none.
    Q_UNUSED(window);
    Q_UNUSED(text);
#endif
}

} // namespace mezolin
