// The words of a drop on the window, exactly as the user reads them.
#pragma once

#include <QString>
#include <cstdint>

namespace korvane::drop_texts {

inline const QString kCorrectedTimeRefuses =
    QStringLiteral("CTモードではドロップできません\nETモードで再ドロップしてください");
inline const QString kDropAFolder = QStringLiteral(
    "画像の入っている「フォルダー」をドロップしてください\n\n（ファイルだけのドロップは受け付けませ"
    "ん）");
inline const QString kNoDataInRaceTime = QStringLiteral(
    "レース時間内に適合するデータがありません\n\n（ファイルだけのドロップは受け付けません）");
inline const QString kLogNameDoesNotFit = QStringLiteral(
    "ファイル名にカンマ（,）や改行を含むGPSデータは追加できません\n\n（ファイル名を変えて再ドロップ"
    "してください）");
inline const QString kLogAlreadyInRace = QStringLiteral(
    "このGPSデータは既にレースに登録されています\n\n（同じデータを二度追加することはできません）");
inline const QString kLogNotARegularFile = QStringLiteral(
    "GPSデータとして読めるファイルではありません\n\n（通常のファイルではありません）");
inline QString logTooLarge(std::uintmax_t maxBytes) {
    return QStringLiteral("GPSデータのファイルが大きすぎます\n\n（読み込めるのは") +
           QString::number(maxBytes >> 20) + QStringLiteral(" MBまでです）");
}
inline const QString kBoatNameCaption = QStringLiteral("BOATNAME");
inline const QString kBoatNamePrompt = QStringLiteral("INPUT BOAT NAME");
inline const QString kFactorCaption = QStringLiteral("TIME CORRECTION");
inline const QString kFactorPrompt = QStringLiteral("INPUT TIME CORRECTION FACTOR");
inline const QString kFactorSuggestion = QStringLiteral("1");
inline const QString kAddBoatCaption = QStringLiteral("GPSデータの追加");
inline const QString kAddBoatQuestion = QStringLiteral("GPSデータを追加して再起動しますか？");
inline const QString kReplaceCaption = QStringLiteral("画像の入れ替え");
inline const QString kReplaceQuestion = QStringLiteral(
    "既に画像が登録されています\n画像をドロップしたものに入れ替えますか？\n（「はい」を押すと既存の"
    "画像と入れ替えます）");
inline const QString kPicturesFound = QStringLiteral(
    "枚の画像が検出されました\n\n（レース画面で撮影時刻を補正してGPSデータとタイミングを合わせてく"
    "ださい）");
inline const QString kReadingPictures = QStringLiteral("画像を読み込んでいます…");
inline const QString kStopReading = QStringLiteral("中止");
inline const QString kNoPictures = QStringLiteral(
    "該当する画像はありません\n\n（下記の原因が考えられます）\n*"
    "　フォルダーにjpeg画像ファイルがない\n*  "
    "jpeg画像にExifデータ入っていない\n*"
    "　レース期間内に撮影されたの画像ない、などを見直してください。");

}  // namespace korvane::drop_texts
