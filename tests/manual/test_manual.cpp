#include "ManualEdition.h"
#include "ManualText.h"

#include <gtest/gtest.h>

namespace {
const QString kSource = QStringLiteral("<!--\n  remark for the writers, @ANY@ is fine here\n-->\n"
                                       "# @TITLE@\n"
                                       "<!-- if deviceLine E -->\n"
                                       "Keys into @MODEL@.\n"
                                       "<!-- if memoryMode 2 3 -->\n"
                                       "Memories.\n"
                                       "<!-- endif -->\n"
                                       "<!-- else -->\n"
                                       "No keys.\n"
                                       "<!-- endif -->\n"
                                       "End.");

QMap<QString, QString> values(const QString& deviceLine, const QString& memoryMode)
{
    return {{"TITLE", "FORTA TRANSFER"}, {"MODEL", "FORTA"}, {"deviceLine", deviceLine}, {"memoryMode", memoryMode}};
}
} // namespace

TEST(ManualText, PlaceholdersAndNestedConditionsPerEdition)
{
    QString out, error;
    ASSERT_TRUE(ManualText::expand(kSource, values("E", "3"), out, error)) << error.toStdString();
    EXPECT_EQ(out, "# FORTA TRANSFER\nKeys into FORTA.\nMemories.\nEnd.");
    ASSERT_TRUE(ManualText::expand(kSource, values("E", "1"), out, error));
    EXPECT_EQ(out, "# FORTA TRANSFER\nKeys into FORTA.\nEnd.");
    ASSERT_TRUE(ManualText::expand(kSource, values("V", "3"), out, error));
    EXPECT_EQ(out, "# FORTA TRANSFER\nNo keys.\nEnd.");
}

TEST(ManualText, MistakesInTheTextStopTheBuildWithTheLine)
{
    const auto failsAt = [](const QString& source, const QString& where) {
        QString out, error;
        const bool ok = ManualText::expand(source, values("E", "2"), out, error);
        return !ok && error.startsWith(where);
    };
    EXPECT_TRUE(failsAt("a\n<!-- if colour red -->\nb\n<!-- endif -->", "line 2:"));
    EXPECT_TRUE(failsAt("a\n<!-- if deviceLine E -->\nb\n", "line 2:")); // never closed
    EXPECT_TRUE(failsAt("a\nb\n<!-- else -->\n", "line 3:"));
    EXPECT_TRUE(failsAt("a\n<!-- endif -->\n", "line 2:"));
    EXPECT_TRUE(failsAt("a\nthe @MODLE@ gauge\n", "line 2: no value for @MODLE@"));
    EXPECT_TRUE(failsAt("a\n<!-- a remark\nb\n", "line 2:"));
    // A placeholder in a branch that is left out does not matter.
    QString out, error;
    EXPECT_TRUE(
        ManualText::expand("<!-- if deviceLine V -->\n@MODLE@\n<!-- endif -->\nx", values("E", "2"), out, error));
}

TEST(ManualEdition, NamesFollowTheProgramsOwnRules)
{
    ManualEdition br;
    QString error;
    ASSERT_TRUE(ManualEdition::load(VT_EDITIONS_DIR "/BR", br, error)) << error.toStdString();
    EXPECT_EQ(br.part, "BREVO_Line_Tool");
    EXPECT_EQ(br.model, "BREVO Line Tool");
    EXPECT_EQ(br.values["COMPANY"], "Selmar");
    EXPECT_EQ(br.values["CODE"], "RD");
    EXPECT_EQ(br.values["interfaceKind"], "B");

    ManualEdition ql7;
    ASSERT_TRUE(ManualEdition::load(VT_EDITIONS_DIR "/QL7", ql7, error));
    EXPECT_EQ(ql7.part, "QL-7");
    EXPECT_EQ(ql7.title, "QL-7 TRANSFER");
    EXPECT_EQ(ql7.picture, "VX5.gif");
    EXPECT_EQ(ql7.values["memoryMode"], "X");
    EXPECT_EQ(ql7.values["COMPANY"], "Varnotek");

    EXPECT_FALSE(ManualEdition::load(VT_EDITIONS_DIR "/none", ql7, error));
    EXPECT_TRUE(error.contains("Konfi.ini"));
}
