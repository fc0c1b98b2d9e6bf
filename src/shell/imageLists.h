#pragma once
// The four picture lists of the command table (16 and 48 pixel, active and disabled looks). The
// pictures are drawn on demand at whatever size and pixel ratio a widget asks for, through an icon
// engine, so the same QIcon is sharp on a small menu item, a big toolbar button and a 2x screen.
#include <QIcon>
#include <QString>

class QPainter;

class TimageList {
public:
    TimageList(const QString &name, int size, int count, bool inactive);

    QString Name() const { return m_name; }
    int Size() const { return m_size; }
    int Count() const { return m_count; }
    bool Inactive() const { return m_inactive; }

    // The picture as an icon: its normal look from this list's art, its disabled look greyed.
    QIcon Icon(int index) const;
    // Draws the picture at its list size with its top-left at (x, y).
    void Draw(QPainter &painter, int x, int y, int index) const;

private:
    QString m_name;
    int m_size;
    int m_count;
    bool m_inactive;
};

// An icon for any of the program's pictures (see artwork.h), drawn sharp at every size.
QIcon ArtworkIcon(int picture);

struct TimageLists {
    TimageList ilMainActive{QStringLiteral("ilMainActive"), 16, 11, false};
    TimageList ilMainInactive{QStringLiteral("ilMainInactive"), 16, 11, true};
    TimageList ilToolbarActive{QStringLiteral("ilToolbarActive"), 48, 10, false};
    TimageList ilToolbarInactive{QStringLiteral("ilToolbarInactive"), 48, 6, true};
};
