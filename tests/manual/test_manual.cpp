// The manual text's own syntax. Each edition's manual (names, titles, what its conditions keep) is checked in the
// install tree test, which reads every built manual back.
#include "ManualText.h"

#include <gtest/gtest.h>

namespace {
QMap<QString, QString> values(const QString& deviceLine, const QString& memoryMode)
{
    return {{"TITLE", "FORTA TRANSFER"}, {"MODEL", "FORTA"}, {"deviceLine", deviceLine}, {"memoryMode", memoryMode}};
}
} // namespace

TEST(ManualText, ConditionsPerEditionAndMistakesWithTheLine)
{
    const QString source =
        "<!--\n  remark for the writers, @ANY@ is fine here\n-->\n# @TITLE@\n<!-- if deviceLine E -->\n"
        "Keys into @MODEL@.\n<!-- if memoryMode 2 3 -->\nMemories.\n<!-- endif -->\n<!-- else -->\n"
        "No keys.\n<!-- endif -->\nEnd.";
    for (const auto& [line, mode, expected] :
         {std::tuple("E", "3", "# FORTA TRANSFER\nKeys into FORTA.\nMemories.\nEnd."),
          std::tuple("E", "1", "# FORTA TRANSFER\nKeys into FORTA.\nEnd."),
          std::tuple("V", "3", "# FORTA TRANSFER\nNo keys.\nEnd.")}) {
        QString out, error;
        ASSERT_TRUE(ManualText::expand(source, values(line, mode), out, error)) << error.toStdString();
        EXPECT_EQ(out, expected);
    }

    for (const auto& [source, where] :
         {std::pair("a\n<!-- if colour red -->\nb\n<!-- endif -->", "line 2:"),
          std::pair("a\n<!-- if deviceLine E -->\nb\n", "line 2:"), // never closed
          std::pair("a\nb\n<!-- else -->\n", "line 3:"), std::pair("a\n<!-- endif -->\n", "line 2:"),
          std::pair("a\nthe @MODLE@ gauge\n", "line 2: no value for @MODLE@"),
          std::pair("a\n<!-- a remark\nb\n", "line 2:")}) {
        QString out, error;
        EXPECT_FALSE(ManualText::expand(source, values("E", "2"), out, error)) << source;
        EXPECT_TRUE(error.startsWith(where)) << error.toStdString();
    }
    // A placeholder in a branch that is left out does not matter.
    QString out, error;
    EXPECT_TRUE(
        ManualText::expand("<!-- if deviceLine V -->\n@MODLE@\n<!-- endif -->\nx", values("E", "2"), out, error));
}
