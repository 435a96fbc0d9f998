#include "ui_text/compare_texts.h"

namespace korvane {

const char* compareText(CompareText text, Language l) {
    switch (text) {
        case CompareText::Speed:
            return pick(l, "艇速 (kt)", "Speed (kn)");
        case CompareText::MadeGood:
            return pick(l, "VMG / リーチはVMC (kt)", "VMG / VMC on reaches (kn)");
        case CompareText::Course:
            return pick(l, "針路 (°)", "Course (°)");
        case CompareText::Windward:
            return pick(l, "BがAより風上 (m)", "B to windward of A (m)");
        case CompareText::Behind:
            return pick(l, "BのAに対する遅れ (秒)", "B behind A (s)");
        case CompareText::WhereTimeWent:
            return pick(l, "レグ毎の時間差の内訳 B−A (秒, 正はBの損)",
                        "Where the time went, B against A (s, positive: B lost)");
        case CompareText::Start:
            return pick(l, "スタート", "start");
        case CompareText::SailingSpeed:
            return pick(l, "艇速", "speed");
        case CompareText::Angle:
            return pick(l, "角度", "angle");
        case CompareText::Maneuvers:
            return pick(l, "マニューバ", "maneuvers");
        case CompareText::Rest:
            return pick(l, "その他", "rest");
        case CompareText::Total:
            return pick(l, "合計", "total");
        case CompareText::Leg:
            return pick(l, "レグ", "Leg");
        case CompareText::NoLegs:
            return pick(l, "両艇が帆走したレグがありません", "No leg sailed by both boats");
        case CompareText::SameBoat:
            return pick(l, "AとBに別の艇を選んでください", "Pick two different boats as A and B");
    }
    return "";
}

}  // namespace korvane
