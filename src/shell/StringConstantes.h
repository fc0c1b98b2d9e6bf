#pragma once
// The texts the program shows in its messages, in one place. A "\n" (backslash, n) inside them is
// turned into a line break by the message box, so the texts keep it as two characters.
#include <QString>

namespace StringConstantes {
inline const QString ApplicationTitle = QStringLiteral("Kanvo");

inline const QString ChangesSavingCaption = QStringLiteral("Changes saving");
inline const QString ChangesSavingText = QStringLiteral(
    "Cross-stitch scheme \"%1\" was changed. If you will not have saved scheme before closing, all "
    "changes will be lost.\\nSave scheme before closing?");

inline const QString HelpCaption = QStringLiteral("Help");
inline const QString HelpNotImplemented = QStringLiteral("This function is not implemented yet...");

inline const QString CannotOpenFile = QStringLiteral("Cannot open file \"%1\". %2");
inline const QString CannotCreateFile = QStringLiteral("Cannot create file \"%1\". %2");
}  // namespace StringConstantes
