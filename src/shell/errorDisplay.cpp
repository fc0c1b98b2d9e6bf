#include "shell/errorDisplay.h"

#include "common/KanvoAbort.h"
#include "common/KanvoError.h"
#include "shell/StringConstantes.h"

#include <QApplication>
#include <QMessageBox>
#include <new>

namespace {
TerrorDisplaySeam &Seam()
{
    static TerrorDisplaySeam seam;
    return seam;
}
}  // namespace

QString ErrorDisplayText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void SetErrorDisplaySeam(TerrorDisplaySeam seam)
{
    Seam() = std::move(seam);
}

void ShowApplicationError(const QString &message)
{
    const QString text = ErrorDisplayText(message);
    if (Seam()) {
        Seam()(StringConstantes::ApplicationTitle, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, StringConstantes::ApplicationTitle, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool RunGuarded(const std::function<void()> &work)
{
    try {
        work();
        return true;
    } catch (...) {
        ShowCaughtError(std::current_exception());
    }
    return false;
}

void ShowCaughtError(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const EKanvoAbort &) {
    } catch (const EKanvoError &caught) {
        ShowApplicationError(caught.Message());
    } catch (const std::bad_alloc &) {
        ShowApplicationError(QStringLiteral("Out of memory"));
    } catch (const std::exception &caught) {
        ShowApplicationError(QString::fromLocal8Bit(caught.what()));
    } catch (...) {
        ShowApplicationError(QStringLiteral("Unexpected error"));
    }
}
