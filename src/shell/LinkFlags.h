#pragma once

#include <QString>

namespace shell {

// The state of the line to the instrument. Written by the link; read by the windows' logic.
struct LinkFlags {
    QString portNumber;            // the chosen COM port's number as text (Port.ini)
    bool CheckConnect = false;     // a port is open and the instrument counts as connected
    bool abgeschaltet = false;     // the instrument switched itself off or did not answer the probe
    bool SchalterStop = false;     // "V" online lines are dropped (paused), or a read of all memories runs
    bool transferComplete = false; // EOT arrived
    bool onlineRun = false;        // an online run receives, also while another view is shown (online mode's)
};

} // namespace shell
