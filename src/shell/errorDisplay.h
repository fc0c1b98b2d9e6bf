#pragma once
// The application's error display: where an error that ends a command is shown, in a box captioned
// "Kanvo" with an error sign and OK. Every command handler runs inside RunGuarded, so no exception
// ever reaches Qt's event loop; a silent abandon (EKanvoAbort) shows nothing.
#include <QString>
#include <exception>
#include <functional>

// The text as shown: a full stop is added when the last character's code is above '.'.
QString ErrorDisplayText(const QString &message);

// Shows the message box, or hands the text to the seam a test has put in place.
void ShowApplicationError(const QString &message);
using TerrorDisplaySeam = std::function<void(const QString &caption, const QString &text)>;
void SetErrorDisplaySeam(TerrorDisplaySeam seam);

// Runs a command's work; its error goes to the display and the program runs on. Returns whether
// the work ran to its end.
bool RunGuarded(const std::function<void()> &work);
// Shows what a guard caught: the message of an error, nothing for a silent abandon.
void ShowCaughtError(std::exception_ptr error);
