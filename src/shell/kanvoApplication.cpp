#include "shell/kanvoApplication.h"

#include "shell/StringConstantes.h"
#include "shell/errorDisplay.h"

#include "common/fontSubstitutes.h"

TkanvoApplication::TkanvoApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(StringConstantes::ApplicationTitle);
    InstallFontSubstitutes();
}

bool TkanvoApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowCaughtError(std::current_exception());
        return false;
    }
}
