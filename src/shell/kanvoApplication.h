#pragma once
// The application object. Command handlers catch their own errors (RunGuarded); this is the last
// net for an exception thrown from any other event handler, which Qt must never see unwinding
// through its event loop: the error is shown and the program runs on.
#include <QApplication>

class TkanvoApplication : public QApplication {
public:
    TkanvoApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
