#include "map3d/map3d_setup.h"

namespace {

using L = QLatin1String;

const Map3DSetup FiSetup{
    L("Frame8"),
    L("Fi Map (3D graph)"),
    L("CWGraph3D1"),
    L("Fi(%)"),
    L("Frame10"),
    L("Option2"),
    L("Frame9"),
    L("Option1"),
    L("Command9"),
    L("Frame11"),
    {
        {L("Text1"), L("Label19"), 0xFF, L("30%")},
        {L("Text2"), L("Label20"), 0xFFFF, L("10%")},
        {L("Text4"), L("Label21"), 0xFF00, L("5%")},
        {L("Text5"), L("Label22"), 0xFFFF00, L("0%")},
        {L("Text6"), L("Label23"), 0xFF0000, L("-5%")},
        {L("Text7"), L("Label26"), 0xFF00FF, L("-10%")},
        {L("Text8"), L("Label27"), 0x0, L("-30%")},
    },
    -30.5,
    30.5,
    false,
};

const Map3DSetup IgSetup{
    L("FrameIG_Map_3D"),
    L("IG Map (3D graph)"),
    L("CWGraph3D2"),
    L("IG(deg)"),
    L("Frame15"),
    L("Option_IG2"),
    L("Frame14"),
    L("Option_IG1"),
    L("Command_IG9"),
    L("Frame13"),
    {
        {L("Text11"), L("Label_IG19"), 0xFF, L(""), false},
        {L("Text12"), L("Label_IG20"), 0xFFFF, L("3")},
        {L("Text13"), L("Label_IG21"), 0xFF00, L("0")},
        {L("Text14"), L("Label_IG22"), 0xFFFF00, L("-5")},
        {L("Text15"), L("Label_IG23"), 0xFF0000, L("-10")},
        {L("Text10"), L("Label_IG24"), 0xFF00FF, L("-15")},
        {L("Text9"), L("Label_IG25"), 0x0, L("-20")},
    },
    -20.5,
    3.5,
    true,
};

} // namespace

const Map3DSetup &map3dSetup(MapKind kind) {
    return kind == MapKind::Fi ? FiSetup : IgSetup;
}
