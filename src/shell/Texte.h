#pragma once

#include <QString>

namespace shell {

// The three language tables. Slot 0 German, 1 English, 2 never filled.
class Texte
{
public:
    static constexpr int kMessages = 81;
    static constexpr int kStats = 21;
    static constexpr int kCaptions = 61;
    static constexpr int kSlots = 3;

    // Fills messageTable and statTable; entry 14 is the program title in both languages.
    void LoadMessageTable(const QString& programTitle);
    void LoadCaptionTable();

    // Lookups in the current language.
    QString msg(int entry) const { return lookup(messageTable, kMessages, entry); }
    QString stat(int entry) const { return lookup(statTable, kStats, entry); }
    QString cap(int entry) const { return lookup(captionTable, kCaptions, entry); }

    // Lookup in an explicit language slot.
    QString msgIn(int entry, int lang) const;

    // 0 German, 1 English. Kept in 0..2 so every lookup stays inside the tables.
    int sprache = 0;

    QString messageTable[kMessages][kSlots];
    QString statTable[kStats][kSlots];
    QString captionTable[kCaptions][kSlots];

private:
    QString lookup(const QString (*table)[kSlots], int size, int entry) const;
};

} // namespace shell
