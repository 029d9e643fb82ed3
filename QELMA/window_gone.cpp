#include "QELMA/window_gone.h"

#include <cstdint>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

namespace keldra {

namespace {

// The two XCB events the watch reads, laid out as the X protocol sends them.
struct XcbGenericEvent {
    std::uint8_t responseType;
    std::uint8_t pad;
    std::uint16_t sequence;
};
struct XcbDestroyNotify {
    std::uint8_t responseType;
    std::uint8_t pad;
    std::uint16_t sequence;
    std::uint32_t event;
    std::uint32_t window;
};
constexpr std::uint8_t XcbDestroyNotifyCode = 17;

class DestroyWatch : public QAbstractNativeEventFilter {
public:
    explicit DestroyWatch(QWidget* window) : window_(window) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t" || !window_) return false;
        const auto* generic = static_cast<const XcbGenericEvent*>(message);
        if ((generic->responseType & 0x7f) != XcbDestroyNotifyCode) return false;
        const auto* destroyed = static_cast<const XcbDestroyNotify*>(message);
        if (window_->internalWinId() != 0 && destroyed->window == window_->internalWinId()) QCoreApplication::quit();
        return false;
    }

private:
    QPointer<QWidget> window_;
};

}  // namespace

void QuitWhenNativeWindowDestroyed(QWidget* window) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    // kept until the process ends: the filter may be called until the last event
    QCoreApplication::instance()->installNativeEventFilter(new DestroyWatch(window));
}

}  // namespace keldra
