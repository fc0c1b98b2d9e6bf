#include "output/excelServer/excelApplication.h"

#include "output/excelServer/excelObjects.h"
#include "output/xls/xlsFileWriter.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QFileInfo>
#include <QUrl>

namespace {

constexpr std::int32_t xlWorkbookNormal = -4143;
constexpr std::int32_t xlExcel8 = 56;
constexpr int NewWorkbookSheets = 3;

// Only a program with a window system can hand files to the desktop; elsewhere nothing opens.
void OpenWithDesktop(const QString &fileName)
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

TworkbookOpener &Opener()
{
    static TworkbookOpener opener = &OpenWithDesktop;
    return opener;
}

} // namespace

TworkbookOpenerScope::TworkbookOpenerScope(TworkbookOpener opener) : m_previous(std::move(Opener()))
{
    Opener() = std::move(opener);
}

TworkbookOpenerScope::~TworkbookOpenerScope()
{
    Opener() = std::move(m_previous);
}

std::shared_ptr<IAutoObject> CreateExcelApplication()
{
    return std::make_shared<TexcelApplication>();
}

// --- shared state -------------------------------------------------------------------------------

TxlsSheet &TexcelBookState::AddSheet(int at)
{
    QString name;
    do
        name = QStringLiteral("Sheet%1").arg(NextSheetNumber++);
    while (std::any_of(Book.Sheets.begin(), Book.Sheets.end(), [&](const auto &sheet) {
        return sheet->Name.compare(name, Qt::CaseInsensitive) == 0;
    }));
    auto where = Book.Sheets.insert(Book.Sheets.begin() + at, std::make_unique<TxlsSheet>(name));
    Book.ActiveSheet = at;
    return **where;
}

int TexcelBookState::IndexOf(const TxlsSheet *sheet) const
{
    for (std::size_t i = 0; i < Book.Sheets.size(); ++i)
        if (Book.Sheets[i].get() == sheet)
            return int(i);
    return -1;
}

// --- base ---------------------------------------------------------------------------------------

QString TexcelObject::Where(const QString &member) const
{
    return QStringLiteral("%1.%2").arg(QLatin1String(m_className), member);
}

void TexcelObject::NotSupported(const QString &member, const char *access) const
{
    throw EAutomationError(QStringLiteral("%1: the spreadsheet server does not support %2 this member")
                               .arg(Where(member), QLatin1String(access)));
}

void TexcelObject::Fail(const QString &member, const QString &why) const
{
    throw EAutomationError(QStringLiteral("%1: %2").arg(Where(member), why));
}

void TexcelObject::ExpectPositional(const QString &member, const TautoArgs &args, int min, int max) const
{
    if (!args.Named_.empty())
        Fail(member, QStringLiteral("named arguments are not accepted"));
    const int count = int(args.Positional.size());
    if (count < min || count > max)
        Fail(member, min == max ? QStringLiteral("%1 argument(s) expected, %2 given").arg(min).arg(count)
                                : QStringLiteral("%1 to %2 arguments expected, %3 given").arg(min).arg(max).arg(count));
}

TautoValue TexcelObject::GetProperty(const QString &member, const TautoArgs &)
{
    NotSupported(member, "reading");
}

void TexcelObject::PutProperty(const QString &member, const TautoArgs &, const TautoValue &)
{
    NotSupported(member, "setting");
}

TautoValue TexcelObject::CallMethod(const QString &member, const TautoArgs &)
{
    NotSupported(member, "calling");
}

// --- application --------------------------------------------------------------------------------

TexcelApplication::TexcelApplication() : TexcelObject("Application"), m_app(std::make_shared<TexcelAppState>()) {}

TautoValue TexcelApplication::GetProperty(const QString &member, const TautoArgs &args)
{
    if (SameMember(member, "Workbooks")) {
        ExpectPositional(member, args, 0, 0);
        return TautoValue(std::make_shared<TexcelWorkbooks>(m_app));
    }
    if (SameMember(member, "Visible")) {
        ExpectPositional(member, args, 0, 0);
        return m_app->Visible;
    }
    return TexcelObject::GetProperty(member, args);
}

void TexcelApplication::PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value)
{
    if (SameMember(member, "Visible")) {
        ExpectPositional(member, args, 0, 0);
        const bool visible = value.ToBoolean(Where(member));
        // Showing the application shows its workbooks: the saved ones open in the desktop's
        // spreadsheet program, which from then on is where the user works with them.
        if (visible && !m_app->Visible)
            for (const TexcelBookRef &book : m_app->Books)
                if (!book->SavedFileName.isEmpty() && Opener())
                    Opener()(book->SavedFileName);
        m_app->Visible = visible;
        return;
    }
    TexcelObject::PutProperty(member, args, value);
}

TautoValue TexcelApplication::CallMethod(const QString &member, const TautoArgs &args)
{
    if (SameMember(member, "Quit")) {
        ExpectPositional(member, args, 0, 0);
        m_app->Books.clear();
        return {};
    }
    return TexcelObject::CallMethod(member, args);
}

// --- workbooks ----------------------------------------------------------------------------------

TautoValue TexcelWorkbooks::GetProperty(const QString &member, const TautoArgs &args)
{
    if (SameMember(member, "Count")) {
        ExpectPositional(member, args, 0, 0);
        return std::int32_t(m_app->Books.size());
    }
    if (SameMember(member, "Item")) {
        ExpectPositional(member, args, 1, 1);
        const std::int32_t index = args.Positional[0].ToInteger(Where(member));
        if (index < 1 || index > std::int32_t(m_app->Books.size()))
            Fail(member, QStringLiteral("there is no workbook %1").arg(index));
        return TautoValue(std::make_shared<TexcelWorkbook>(m_app->Books[std::size_t(index - 1)]));
    }
    return TexcelObject::GetProperty(member, args);
}

TautoValue TexcelWorkbooks::CallMethod(const QString &member, const TautoArgs &args)
{
    if (SameMember(member, "Add")) {
        ExpectPositional(member, args, 0, 0);
        auto book = std::make_shared<TexcelBookState>();
        for (int i = 0; i < NewWorkbookSheets; ++i)
            book->AddSheet(i);
        book->Book.ActiveSheet = 0;
        m_app->Books.push_back(book);
        return TautoValue(std::make_shared<TexcelWorkbook>(book));
    }
    return TexcelObject::CallMethod(member, args);
}

// --- workbook -----------------------------------------------------------------------------------

TautoValue TexcelWorkbook::GetProperty(const QString &member, const TautoArgs &args)
{
    if (SameMember(member, "Worksheets") || SameMember(member, "Sheets")) {
        ExpectPositional(member, args, 0, 1);
        if (args.Positional.empty())
            return TautoValue(std::make_shared<TexcelWorksheets>(m_book));
        return TexcelWorksheets::Item(m_book, args.Positional[0], Where(member));
    }
    if (SameMember(member, "Colors")) {
        ExpectPositional(member, args, 1, 1);
        const std::int32_t index = args.Positional[0].ToInteger(Where(member));
        if (index < 1 || index > XlsPaletteSize)
            Fail(member, QStringLiteral("the palette has colours 1 to %1, not %2").arg(XlsPaletteSize).arg(index));
        return std::int32_t(m_book->Book.Palette[std::size_t(index - 1)]);
    }
    if (SameMember(member, "FullName")) {
        ExpectPositional(member, args, 0, 0);
        return m_book->SavedFileName;
    }
    return TexcelObject::GetProperty(member, args);
}

void TexcelWorkbook::PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value)
{
    if (SameMember(member, "Colors")) {
        ExpectPositional(member, args, 1, 1);
        const std::int32_t index = args.Positional[0].ToInteger(Where(member));
        if (index < 1 || index > XlsPaletteSize)
            Fail(member, QStringLiteral("the palette has colours 1 to %1, not %2").arg(XlsPaletteSize).arg(index));
        const std::int32_t color = value.ToInteger(Where(member));
        if (color < 0 || color > 0xFFFFFF)
            Fail(member, QStringLiteral("%1 is not an RGB colour").arg(color));
        m_book->Book.Palette[std::size_t(index - 1)] = TpackedColor(color);
        return;
    }
    TexcelObject::PutProperty(member, args, value);
}

TautoValue TexcelWorkbook::CallMethod(const QString &member, const TautoArgs &args)
{
    if (SameMember(member, "SaveAs")) {
        SaveAs(args);
        return {};
    }
    return TexcelObject::CallMethod(member, args);
}

void TexcelWorkbook::SaveAs(const TautoArgs &args)
{
    static const char *const names[] = {"Filename", "FileFormat", "Password", "WriteResPassword",
                                        "ReadOnlyRecommended", "CreateBackup"};
    constexpr int known = int(std::size(names));
    std::array<TautoValue, known> given;
    if (int(args.Positional.size()) > known)
        Fail(QStringLiteral("SaveAs"), QStringLiteral("at most %1 arguments are accepted").arg(known));
    for (std::size_t i = 0; i < args.Positional.size(); ++i)
        given[i] = args.Positional[i];
    for (const TnamedArg &arg : args.Named_) {
        int which = 0;
        while (which < known && !SameMember(arg.Name, names[which]))
            ++which;
        if (which == known)
            Fail(QStringLiteral("SaveAs"), QStringLiteral("the argument %1 is not supported").arg(arg.Name));
        given[std::size_t(which)] = arg.Value;
    }
    const QString where = Where(QStringLiteral("SaveAs"));
    const QString fileName = given[0].ToString(where);
    if (fileName.isEmpty())
        Fail(QStringLiteral("SaveAs"), QStringLiteral("no file name was given"));
    const std::int32_t format = given[1].IsEmpty() ? xlWorkbookNormal : given[1].ToInteger(where);
    if (format != xlWorkbookNormal && format != xlExcel8)
        Fail(QStringLiteral("SaveAs"),
             QStringLiteral("file format %1 is not supported; the server writes Excel 97-2003 "
                            "workbooks (file format -4143)")
                 .arg(format));
    if (!given[2].ToString(where).isEmpty() || !given[3].ToString(where).isEmpty())
        Fail(QStringLiteral("SaveAs"), QStringLiteral("password protection is not supported"));
    if (given[5].ToBoolean(where))
        Fail(QStringLiteral("SaveAs"), QStringLiteral("backup copies are not supported"));
    m_book->Book.ReadOnlyRecommended = given[4].ToBoolean(where);

    const QString absolute = QFileInfo(fileName).absoluteFilePath();
    WriteXlsFile(m_book->Book, absolute);
    m_book->SavedFileName = absolute;
}

// --- worksheets ---------------------------------------------------------------------------------

TautoValue TexcelWorksheets::Item(const TexcelBookRef &book, const TautoValue &index, const QString &where)
{
    const auto &sheets = book->Book.Sheets;
    if (index.Kind() == TautoValue::TKind::String) {
        const QString name = index.ToString(where);
        for (const auto &sheet : sheets)
            if (sheet->Name.compare(name, Qt::CaseInsensitive) == 0)
                return TautoValue(std::make_shared<TexcelWorksheet>(book, sheet.get()));
        throw EAutomationError(QStringLiteral("%1: there is no sheet named \"%2\"").arg(where, name));
    }
    const std::int32_t number = index.ToInteger(where);
    if (number < 1 || number > std::int32_t(sheets.size()))
        throw EAutomationError(QStringLiteral("%1: there is no sheet %2; the workbook has %3")
                                   .arg(where)
                                   .arg(number)
                                   .arg(sheets.size()));
    return TautoValue(std::make_shared<TexcelWorksheet>(book, sheets[std::size_t(number - 1)].get()));
}

TautoValue TexcelWorksheets::GetProperty(const QString &member, const TautoArgs &args)
{
    if (SameMember(member, "Count")) {
        ExpectPositional(member, args, 0, 0);
        return std::int32_t(m_book->Book.Sheets.size());
    }
    if (SameMember(member, "Item")) {
        ExpectPositional(member, args, 1, 1);
        return Item(m_book, args.Positional[0], Where(member));
    }
    return TexcelObject::GetProperty(member, args);
}

TautoValue TexcelWorksheets::CallMethod(const QString &member, const TautoArgs &args)
{
    if (!SameMember(member, "Add"))
        return TexcelObject::CallMethod(member, args);
    // Add(Before, After, Count, Type): one new worksheet before or after a sheet, or before the
    // active one when neither is given.
    TautoValue before, after;
    if (args.Positional.size() > 2)
        Fail(member, QStringLiteral("only Before and After are supported"));
    if (!args.Positional.empty())
        before = args.Positional[0];
    if (args.Positional.size() > 1)
        after = args.Positional[1];
    for (const TnamedArg &arg : args.Named_) {
        if (SameMember(arg.Name, "Before"))
            before = arg.Value;
        else if (SameMember(arg.Name, "After"))
            after = arg.Value;
        else if (SameMember(arg.Name, "Count") && arg.Value.ToInteger(Where(member)) == 1)
            continue;
        else
            Fail(member, QStringLiteral("the argument %1 is not supported").arg(arg.Name));
    }
    if (!before.IsEmpty() && !after.IsEmpty())
        Fail(member, QStringLiteral("Before and After cannot both be given"));
    int at = m_book->Book.ActiveSheet;
    for (const TautoValue *anchor : {&before, &after}) {
        if (anchor->IsEmpty())
            continue;
        const auto sheet = std::dynamic_pointer_cast<TexcelWorksheet>(anchor->ToObject(Where(member)));
        const int index = sheet ? m_book->IndexOf(sheet->Sheet()) : -1;
        if (index < 0)
            Fail(member, QStringLiteral("Before and After must be sheets of this workbook"));
        at = anchor == &after ? index + 1 : index;
    }
    if (m_book->Book.Sheets.size() >= 255)
        Fail(member, QStringLiteral("a workbook holds at most 255 sheets here"));
    TxlsSheet &sheet = m_book->AddSheet(at);
    return TautoValue(std::make_shared<TexcelWorksheet>(m_book, &sheet));
}
