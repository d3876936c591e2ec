#include "platform/ui/guard.h"

#include "platform/system/errors.h"
#include "platform/ui/dialogs.h"

#include <QString>

#include <exception>

bool runGuarded(const std::function<void()>& work)
{
    QString text;
    try {
        work();
        return true;
    } catch (const SilentAbort&) {
        return false;
    } catch (const AppError& e) {
        text = e.message();
    } catch (const std::exception& e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = QStringLiteral("An unexpected error stopped the operation.");
    }
    // Showing the message must not throw out of here either.
    try {
        Dialogs::current().error(text);
    } catch (...) {
    }
    return false;
}
