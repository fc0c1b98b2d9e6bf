#pragma once
// TfrmMessage and ShowMessageBox: the program's own message box for every question and notice: a
// title in the header band, a 48-pixel picture of the command it is about, the message wrapped in
// a fixed-width column (the box grows downwards with its text) and either Yes/No/Cancel or OK.
#include "shell/DialogTemplate.h"

#include <functional>

class QLabel;
class QPushButton;

// Dialog answers, the values the platform's dialogs return.
enum TmodalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

class TfrmMessage : public TfrmDialogTemplate {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 405;
    static constexpr int MessageWidth = 319;
    static constexpr int ImageColumnWidth = 73;
    static constexpr int Spacer = 13;

    TfrmMessage(QWidget *owner, const QString &caption, const QString &text, bool question, int picture);

    // Text as shown: "\n" (backslash, n) becomes a line break, then "\t" a tab.
    static QString ExpandEscapes(const QString &text);

    QLabel *lblCaption = nullptr;
    QLabel *lblMessage = nullptr;
    QWidget *pbxImage = nullptr;
    QPushButton *btnYes = nullptr;
    QPushButton *btnNo = nullptr;
    QPushButton *btnCancel = nullptr;

    int Picture() const { return m_picture; }
    bool Question() const { return m_question; }

public slots:
    void reject() override;  // the close box: Cancel in both forms

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int m_picture;
    bool m_question;
};

struct TmessageBoxRequest {
    QString Caption;
    QString Text;
    bool Question = false;
    int Picture = 0;
    QWidget *Owner = nullptr;
};
// Tests answer message boxes through this seam instead of a modal window.
using TmessageBoxSeam = std::function<int(const TmessageBoxRequest &)>;
void SetMessageBoxSeam(TmessageBoxSeam seam);

// Shows the box modally and returns the answer (TmodalResult).
int ShowMessageBox(const QString &caption, const QString &text, bool question, int picture, QWidget *owner);
