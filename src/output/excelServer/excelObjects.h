#pragma once
// The objects of the spreadsheet server and the state they share. Each object names itself in
// its errors ("Range.Borders: ..."), and any member it does not implement fails with a message
// naming that member, so a caller learns exactly what the server lacks.
#include "output/automation/automation.h"
#include "output/excelServer/excelAddress.h"
#include "output/xls/xlsWorkbook.h"

#include <memory>
#include <vector>

// A workbook being built, and what the server remembers about it.
struct TexcelBookState {
    TxlsWorkbook Book;
    QString SavedFileName;  // absolute; empty until SaveAs succeeded
    int NextSheetNumber = 1;

    // Adds a sheet named "Sheet<n>" at position `at` (0-based) and makes it the active one.
    TxlsSheet &AddSheet(int at);
    int IndexOf(const TxlsSheet *sheet) const;
};
using TexcelBookRef = std::shared_ptr<TexcelBookState>;

struct TexcelAppState {
    std::vector<TexcelBookRef> Books;
    bool Visible = false;
};
using TexcelAppRef = std::shared_ptr<TexcelAppState>;

class TexcelObject : public IAutoObject {
public:
    explicit TexcelObject(const char *className) : m_className(className) {}
    TautoValue GetProperty(const QString &member, const TautoArgs &args) override;
    void PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value) override;
    TautoValue CallMethod(const QString &member, const TautoArgs &args) override;

protected:
    // "Range.Value", for messages.
    QString Where(const QString &member) const;
    [[noreturn]] void NotSupported(const QString &member, const char *access) const;
    [[noreturn]] void Fail(const QString &member, const QString &why) const;
    // No named arguments, and between min and max positional ones.
    void ExpectPositional(const QString &member, const TautoArgs &args, int min, int max) const;

private:
    const char *m_className;
};

class TexcelApplication : public TexcelObject {
public:
    TexcelApplication();
    TautoValue GetProperty(const QString &member, const TautoArgs &args) override;
    void PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value) override;
    TautoValue CallMethod(const QString &member, const TautoArgs &args) override;

private:
    TexcelAppRef m_app;
};

class TexcelWorkbooks : public TexcelObject {
public:
    explicit TexcelWorkbooks(TexcelAppRef app) : TexcelObject("Workbooks"), m_app(std::move(app)) {}
    TautoValue GetProperty(const QString &member, const TautoArgs &args) override;
    TautoValue CallMethod(const QString &member, const TautoArgs &args) override;

private:
    TexcelAppRef m_app;
};

class TexcelWorkbook : public TexcelObject {
public:
    explicit TexcelWorkbook(TexcelBookRef book) : TexcelObject("Workbook"), m_book(std::move(book)) {}
    TautoValue GetProperty(const QString &member, const TautoArgs &args) override;
    void PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value) override;
    TautoValue CallMethod(const QString &member, const TautoArgs &args) override;
    const TexcelBookRef &State() const { return m_book; }

private:
    void SaveAs(const TautoArgs &args);
    TexcelBookRef m_book;
};

class TexcelWorksheets : public TexcelObject {
public:
    explicit TexcelWorksheets(TexcelBookRef book) : TexcelObject("Worksheets"), m_book(std::move(book)) {}
    TautoValue GetProperty(const QString &member, const TautoArgs &args) override;
    TautoValue CallMethod(const QString &member, const TautoArgs &args) override;
    // The sheet at a 1-based index or with a name.
    static TautoValue Item(const TexcelBookRef &book, const TautoValue &index, const QString &where);

private:
    TexcelBookRef m_book;
};

class TexcelWorksheet : public TexcelObject {
public:
    TexcelWorksheet(TexcelBookRef book, TxlsSheet *sheet)
        : TexcelObject("Worksheet"), m_book(std::move(book)), m_sheet(sheet) {}
    TautoValue GetProperty(const QString &member, const TautoArgs &args) override;
    void PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value) override;
    TxlsSheet *Sheet() const { return m_sheet; }

private:
    TautoValue Range(const QString &member, const TautoArgs &args);
    TexcelBookRef m_book;
    TxlsSheet *m_sheet;
};

class TexcelPageSetup : public TexcelObject {
public:
    TexcelPageSetup(TexcelBookRef book, TxlsSheet *sheet)
        : TexcelObject("PageSetup"), m_book(std::move(book)), m_sheet(sheet) {}
    TautoValue GetProperty(const QString &member, const TautoArgs &args) override;
    void PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value) override;

private:
    TexcelBookRef m_book;
    TxlsSheet *m_sheet;
};

// What every range-bound object holds: the workbook, the sheet and the areas.
struct TexcelRangeRef {
    TexcelBookRef Book;
    TxlsSheet *Sheet = nullptr;
    std::vector<TexcelArea> Areas;
};

class TexcelRange : public TexcelObject {
public:
    explicit TexcelRange(TexcelRangeRef range) : TexcelObject("Range"), m_range(std::move(range)) {}
    TautoValue GetProperty(const QString &member, const TautoArgs &args) override;
    void PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value) override;
    const TexcelRangeRef &Ref() const { return m_range; }

private:
    void PutValue(const TautoValue &value);
    TexcelRangeRef m_range;
};

class TexcelFont : public TexcelObject {
public:
    explicit TexcelFont(TexcelRangeRef range) : TexcelObject("Font"), m_range(std::move(range)) {}
    void PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value) override;

private:
    TexcelRangeRef m_range;
};

class TexcelInterior : public TexcelObject {
public:
    explicit TexcelInterior(TexcelRangeRef range) : TexcelObject("Interior"), m_range(std::move(range)) {}
    void PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value) override;

private:
    TexcelRangeRef m_range;
};

// One edge of a range: 7 left, 8 top, 9 bottom, 10 right, 11 inside verticals, 12 inside
// horizontals.
class TexcelBorder : public TexcelObject {
public:
    TexcelBorder(TexcelRangeRef range, int edge)
        : TexcelObject("Border"), m_range(std::move(range)), m_edge(edge) {}
    void PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value) override;

private:
    TexcelRangeRef m_range;
    int m_edge;
};
