#pragma once

#include "RecordDecoder.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

namespace shell {
struct AppState;
class TransferShell;
} // namespace shell
namespace table {
class TableSession;
}

namespace instrument {

class LinkSession;

// Reading the instrument's memories into the measurement table: the read commands, the empty-memory messages,
// the reception of a memory answer (cut into records as it arrives), the hand-over of each record to the
// decoder, the read buttons and memory option buttons, and the progress of a long read.
class MemoryReader : public QObject
{
    Q_OBJECT
public:
    struct Hooks {
        // Picks the online option (its click handler); unset: only the focus moves there.
        std::function<void()> optOnline_Click;
    };

    static constexpr int kMaxRecords = 5000;

    MemoryReader(shell::AppState& st, shell::TransferShell& shell, LinkSession& link, table::TableSession& table,
                 QObject* parent = nullptr);
    ~MemoryReader() override;

    Hooks& hooks() { return m_hooks; }
    RecordDecoder& decoder() { return m_decoder; }

    void cmdLesen_Click() { ReadAllMemories(); }
    void cmdLesFE_Click();
    void cmdLesNFE_Click();
    void ReadAllMemories();
    void ReadMemory();

    // Communication event hand-over from the link (2 = text received, 8 = special character).
    void reception(int code);

    // Read buttons and memory names after an identification.
    void updateReadButtons();
    QString memoryName(int view) const;

    // Records of the last transfer, in arrival order.
    const std::vector<QString>& recordStore() const { return m_records; }
    bool readingAll() const { return m_readingAll; }
    // The last read was ended by Escape (nothing of it was decoded).
    bool cancelled() const { return m_cancelled; }

private:
    void cutLines();
    void processTransfer();
    void showEmpty(int memory);
    void selectOptions(int lastMemory);
    void resetCaption(int view);
    void setProgress(bool visible, int max, int value);
    QString now(const char* format) const;

    shell::AppState& m_st;
    shell::TransferShell& m_shell;
    LinkSession& m_link;
    table::TableSession& m_table;
    RecordDecoder m_decoder;
    Hooks m_hooks;

    bool m_readingAll = false;
    bool m_receiving = false; // a memory answer is awaited; text at other times is not a memory answer
    bool m_cancelled = false;

    // Cutting: one pass over receiveBuffer, from where the last event stopped.
    std::vector<QString> m_records;
    qsizetype m_scanPos = 0;
    qsizetype m_searchPos = 0; // where the search for the next line end goes on
    int m_lineNo = 0;
    int m_dataStart = 0; // line number of the first data line; 0 = no STX line yet
    bool m_overflow = false;
    bool m_processed = false;
    int m_skipped = 0; // lines after the STX line that cannot be records
    int m_announced = 0;
    int m_shownProgress = -1;
};

} // namespace instrument
