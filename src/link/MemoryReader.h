#pragma once

#include "LinkSession.h"
#include "RecordCutter.h"
#include "RecordDecoder.h"

#include "shell/Messart.h"

#include <QObject>
#include <QString>

#include <vector>

namespace shell {
struct AppState;
struct Messwert;
} // namespace shell

namespace instrument {

class LinkSession;

// Reading the instrument's memories: the read commands, the empty-memory messages, the reception of a memory
// answer (cut into records as it arrives), the decoding of each record, the read buttons and memory option
// buttons, and the progress of a long read. The table it fills is told through signals.
class MemoryReader : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxRecords = RecordCutter::kMaxRecords;

    MemoryReader(shell::AppState& st, LinkSession& link, QObject* parent = nullptr);
    ~MemoryReader() override;

    // The read commands. During an online run the user is asked first: the read needs the line, so the run ends.
    void cmdLesen_Click();
    void cmdLesFE_Click();
    void cmdLesNFE_Click();
    void ReadAllMemories();
    void ReadMemory();

    // Communication event hand-over from the link (2 = text received, 8 = special character).
    void reception(int code);

    // Read buttons and memory names after an identification.
    void updateReadButtons();

    // The last read was ended by the user (nothing of it was decoded).
    bool cancelled() const { return m_cancelled; }
    // The last read was cut (switch-off, unplug, silence): its whole records were kept.
    bool cut() const { return m_cut; }
    // A read since the last ReadAllMemories (or single read) brought another number of values than announced.
    bool countDiffered() const { return m_countDiffered; }
    // How the last memory answer ended.
    LinkSession::Answer lastAnswer() const { return m_lastAnswer; }
    // Records refused since the last ReadAllMemories for want of a valid value.
    int refusedRecords() const { return m_refusedRecords; }

signals:
    // The view in use and the kind of transfer change (the table sets messart).
    void messartRequested(shell::Messart m);
    // A memory transfer into a view begins: the view and its statistics are emptied and laid out.
    void transferStarting(int view);
    // The records of a complete answer follow, one signal each, then the end of the batch.
    void decodingStarted();
    void messwert(const shell::Messwert& m);
    void decodingFinished();
    // An empty memory: its view is emptied.
    void viewCleared(int view);
    // After a read the chosen view is shown (its option button's click), or online mode is started.
    void viewRequested(int view);
    void onlineRequested();
    // The user agreed to end the online run for a read.
    void onlineEndRequested();
    // The grid's last row is brought into sight.
    void lastRowRequested();

private:
    bool onlineRunMayEnd();
    bool prepareView(int view);
    void requestAnswer(int view);
    void dropAnswer();
    void takeOver(int view);
    void finish();
    void cutLines();
    void processTransfer();
    void reportCount(int view);
    void showEmpty(int memory);
    void selectOptions(int lastMemory);
    void resetCaption(int view);
    void setProgress(bool visible, int max, int value);

    shell::AppState& m_st;
    LinkSession& m_link;
    RecordDecoder m_decoder;

    bool m_readingAll = false;
    bool m_receiving = false; // a memory answer is awaited; text at other times is not a memory answer
    bool m_cancelled = false;
    bool m_cut = false;
    bool m_countDiffered = false;
    int m_refusedRecords = 0;
    LinkSession::Answer m_lastAnswer = LinkSession::Answer::Complete;

    // Cutting: one pass over the link's receive buffer, from where the last event stopped.
    RecordCutter m_cutter;
    bool m_processed = false;
    int m_announced = 0;
    int m_shownProgress = -1;
};

} // namespace instrument
