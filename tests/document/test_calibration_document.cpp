#include "document/calibration_document.h"
#include "document/change_axis_point.h"
#include "document/change_cells.h"
#include "document/change_ru.h"
#include "document/change_speed.h"
#include "qt_printers.h"

#include <gtest/gtest.h>
#include <map>

namespace {

// Fi +3% and IG -2deg everywhere, NE points 1000 r/min apart, TH 0..100 in tens, RU +3%.
EcuImage baseImage() {
    EcuImage image;
    for (int cell = 1; cell <= MapCells; ++cell) {
        image.setByte(fiCellOffset(cell), 103);
        image.setByte(igCellOffset(cell), 0xFE);
    }
    for (int i = 1; i <= NePoints; ++i)
        image.setByte(neAxisOffset(i), static_cast<std::uint8_t>(10 * i));
    for (int i = 1; i <= ThPoints; ++i)
        image.setByte(thAxisOffset(i), static_cast<std::uint8_t>(10 * (i - 1)));
    for (int i = 1; i <= RuPoints; ++i)
        image.setByte(ruMapOffset(i), 3);
    image.setByte(PitLimitOffset, 60);
    image.setByte(ShiftNeOffset, 140);
    image.setByte(IdleNeOffset, 8);
    return image;
}

struct EditCase {
    const char *name;
    ByteEdit edit;
    std::map<int, int> bytes;     // offset: value after the edit
    const char *text;             // in the Edit menu
    const char *ruText = nullptr; // RU point 7's text after the edit, when the edit touches it
};

void PrintTo(const EditCase &c, std::ostream *out) {
    *out << c.name;
}

class Edits : public testing::TestWithParam<EditCase> {};

TEST_P(Edits, UndoAndRedoRestoreTheBytesAndTablesExactly) {
    const EditCase &c = GetParam();
    CalibrationDocument document;
    document.load(baseImage(), QString());
    const EcuData before = document.data();
    ChangedBytes told;
    QObject::connect(&document, &CalibrationDocument::bytesChanged,
                     [&told](const ChangedBytes &changed) { told = changed; });

    ASSERT_TRUE(document.apply(c.edit));
    EXPECT_EQ(document.undoStack().undoText(), QString::fromUtf8(c.text));
    EXPECT_TRUE(document.isModified());
    for (int offset = 0; offset < EcuImageSize; ++offset) {
        const auto found = c.bytes.find(offset);
        const int expected = found != c.bytes.end() ? found->second : before.image.byte(offset);
        EXPECT_EQ(document.image().byte(offset), expected) << offset;
        EXPECT_EQ(told.contains(offset), found != c.bytes.end()) << offset;
    }
    // The tables a load of the image would give, RU texts as the editors write them where edited.
    EcuImage image = document.image();
    EcuTables expected = HEXdata_Conv(image);
    if (c.ruText) {
        EXPECT_EQ(document.tables().RuadjText[6], QString::fromUtf8(c.ruText));
        expected.RuadjText = document.tables().RuadjText;
    }
    EXPECT_TRUE(document.tables() == expected);
    const EcuData after = document.data();

    document.undoStack().undo();
    EXPECT_EQ(document.image(), before.image);
    EXPECT_TRUE(document.tables() == before.tables);
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(told.count(), static_cast<int>(c.bytes.size()));

    document.undoStack().redo();
    EXPECT_EQ(document.image(), after.image);
    EXPECT_TRUE(document.tables() == after.tables);
}

std::map<int, int> one(int offset, int value) {
    return {{offset, value}};
}

std::map<int, int> all(int (*offsetOf)(int), int count, int value) {
    std::map<int, int> bytes;
    for (int i = 1; i <= count; ++i)
        bytes[offsetOf(i)] = value;
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, Edits,
    testing::Values(EditCase{"FiCell", changeCell(MapKind::Fi, 20, 105), one(fiCellOffset(20), 105),
                             "Fi map TH 2 NE 4: +3% \u2192 +5%"},
                    EditCase{"IgCellBehindRow6", changeCell(MapKind::Ig, 65, 3), one(80, 3),
                             "IG map TH 5 NE 1: -2deg \u2192 +3deg"},
                    EditCase{"IgAllCells", changeAllCells(MapKind::Ig, 0),
                             all(igCellOffset, MapCells, 0), "IG map: all cells 0deg"},
                    EditCase{"NePoint", changeAxisPoint(Axis::Ne, 6, 65), one(neAxisOffset(6), 65),
                             "NE point 6: 6000 \u2192 6500 r/min"},
                    EditCase{"ThPoint", changeAxisPoint(Axis::Th, 5, 45), one(thAxisOffset(5), 45),
                             "TH point 5: 40 \u2192 45%"},
                    EditCase{"ShiftTiming", changeSpeed(SpeedSetting::ShiftTiming, 150),
                             one(ShiftNeOffset, 150),
                             "ShiftTiming Indicator: 14000 \u2192 15000 r/min"},
                    EditCase{"PitRoad", changeSpeed(SpeedSetting::PitRoad, 0),
                             one(PitLimitOffset, 0), "PITroad Limit: 6000 \u2192 0 r/min"},
                    EditCase{"IdleNe", changeSpeed(SpeedSetting::IdleNe, 9), one(IdleNeOffset, 9),
                             "Idring Ne: 1600 \u2192 1800 r/min"},
                    EditCase{"RuPoint", changeRuPoint(7, 0xFB), one(ruMapOffset(7), 0xFB),
                             "RU map NE 7: +3% \u2192 -5%", "-5%"},
                    // The same value again: only the text's form changes, and that is a step too.
                    EditCase{"RuAllSameValue", changeAllRuPoints(3), all(ruMapOffset, RuPoints, 3),
                             "RU map: all points +3%", "+3%"}),
    [](const testing::TestParamInfo<EditCase> &param) { return std::string(param.param.name); });

TEST(CalibrationDocument, OneDragIsOneStepAndADragBackIsNone) {
    CalibrationDocument document;
    document.load(baseImage(), QString());
    const quint64 drag = document.newGesture();
    for (std::uint8_t value : {101, 102, 104})
        ASSERT_TRUE(document.apply(changeCell(MapKind::Fi, 20, value, drag)));
    EXPECT_EQ(document.undoStack().count(), 1);
    EXPECT_EQ(document.undoStack().undoText(), QStringLiteral("Fi map TH 2 NE 4: +3% \u2192 +4%"));
    // Another drag, and moves without a drag (keys), are steps of their own.
    ASSERT_TRUE(document.apply(changeCell(MapKind::Fi, 20, 105, document.newGesture())));
    ASSERT_TRUE(document.apply(changeRuPoint(2, 4)));
    ASSERT_TRUE(document.apply(changeRuPoint(2, 5)));
    EXPECT_EQ(document.undoStack().count(), 4);
    for (int k = 0; k < 4; ++k)
        document.undoStack().undo();
    EXPECT_EQ(document.image(), baseImage());

    const quint64 back = document.newGesture();
    ASSERT_TRUE(document.apply(changeCell(MapKind::Ig, 1, 0, back)));
    ASSERT_TRUE(document.apply(changeCell(MapKind::Ig, 1, 0xFE, back)));
    EXPECT_FALSE(document.undoStack().canUndo());
    EXPECT_EQ(document.image(), baseImage());
}

TEST(CalibrationDocument, CleanAfterLoadAndSaveModifiedAfterEditsAndComments) {
    CalibrationDocument document;
    QList<bool> modified;
    QObject::connect(&document, &CalibrationDocument::modifiedChanged,
                     [&modified](bool m) { modified << m; });
    EXPECT_FALSE(document.apply(changeSpeed(SpeedSetting::PitRoad, 1))); // no data yet
    document.load(baseImage(), QStringLiteral("first\r\nsecond"));
    EXPECT_EQ(document.comment(), QStringLiteral("first\nsecond"));
    EXPECT_FALSE(document.apply(changeSpeed(SpeedSetting::PitRoad, 60))); // changes nothing
    EXPECT_FALSE(document.isModified());

    ASSERT_TRUE(document.apply(changeSpeed(SpeedSetting::PitRoad, 61)));
    EcuImage saved = document.image();
    setEcuDataName(saved, QStringLiteral("RACE1"));
    document.markSaved(saved, document.commentToSave());
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(EcuDataName(document.image()), QStringLiteral("RACE1   "));
    ASSERT_TRUE(document.undoStack().canUndo()); // a save keeps the history
    document.undoStack().undo();
    EXPECT_TRUE(document.isModified());
    document.undoStack().redo();
    EXPECT_FALSE(document.isModified());

    // The comment: unedited, a save writes it as it came; edited, with CR LF between lines.
    EXPECT_EQ(document.commentToSave(), QStringLiteral("first\r\nsecond"));
    document.setComment(QStringLiteral("first\nthird"));
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.commentToSave(), QStringLiteral("first\r\nthird"));
    document.setComment(QStringLiteral("first\nsecond"));
    EXPECT_FALSE(document.isModified());

    document.load(baseImage(), QString());
    EXPECT_FALSE(document.undoStack().canUndo()); // a load starts a new history
    document.setComment(QStringLiteral("notes"));
    document.clear();
    EXPECT_FALSE(document.isModified()); // nothing to lose without data
    EXPECT_EQ(modified, (QList<bool>{true, false, true, false, true, false, true, false}));
}

} // namespace
