// Program entry: the application titled "Kanvo", its main window, and the event loop until the
// main window closes.
#include "shell/kanvoApplication.h"
#include "view/ui/MainForm.h"

int main(int argc, char *argv[])
{
    TkanvoApplication app(argc, argv);
    TfrmZelMain frmZelMain;
    frmZelMain.show();
    return app.exec();
}
