#pragma once

#include "table/TableSession.h"

#include <optional>

namespace reports {

// Holds the table still while a command of this subsystem reads or replaces it, including the time its dialog
// waits for the user; nothing without a table.
class TableHold
{
public:
    explicit TableHold(table::TableSession* table)
    {
        if (table)
            m_command.emplace(*table);
    }

private:
    std::optional<table::TableSession::Command> m_command;
};

} // namespace reports
