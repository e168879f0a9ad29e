#pragma once
// Every text the editor shows, in one place.
#include <string_view>

namespace quorel::editor::texts {

// The caption of the questions, input boxes and error messages.
inline constexpr std::string_view kApplicationTitle = "Quorelステージエディタ";
inline constexpr std::string_view kNewFileCaption = "New file";

inline constexpr std::string_view kAskNewSet = "全ステージを新規作成します";
inline constexpr std::string_view kAskResetStage = "このステージのみを新規作成します";
inline constexpr std::string_view kAskSwapWith = "現ステージと入れ替えるところを入力してください";
inline constexpr std::string_view kAskNgNumber = "ＮＧの数を入力してください";
// Followed by the largest stage count and ")".
inline constexpr std::string_view kAskStageCount = "ステージの合計を入力してください(1-";
inline constexpr std::string_view kAskDesigner = "制作者の名前を入力してください（半角１６文字まで）";
inline constexpr std::string_view kAskSaveBeforeClose = "終了する前に保存しますか？";

// Lead lines of the error messages; a second line names the file and the fault.
inline constexpr std::string_view kCannotOpen = "ステージファイルを読み込めませんでした。";
inline constexpr std::string_view kCannotSave = "ステージファイルを保存できませんでした。";
inline constexpr std::string_view kCannotWriteTestPlay = "テストプレイ用のファイルを書き込めませんでした。";
inline constexpr std::string_view kCannotStartGame = "ゲーム本体を起動できませんでした。";
// The conversion error of a number box: the text in quotes, then this.
inline constexpr std::string_view kNotAnInteger = " is not a valid integer value";
inline constexpr std::string_view kDivisionByZero = "Division by zero";

inline constexpr std::string_view kVersionCaption = "Version";
inline constexpr std::string_view kVersionText =
    "Quorelステージエディタ\n"
    "\n"
    "Program, graphics and stages: TEAM QUOREL";
inline constexpr std::string_view kNoteCaption = "ヘスの法則";
inline constexpr std::string_view kNoteText =
    "反応熱は、途中の経路によらず、はじめと終わりの状態だけで決まる。\n"
    "化学の授業で習うヘスの法則です。\n"
    "\n"
    "ところが、このゲームのブロックはそうはいきません。\n"
    "同じ数のブロックでも、ぶつける順番を変えれば残る余りが変わり、\n"
    "ＮＧナンバーに当たるかどうかも変わります。\n"
    "\n"
    "ステージを作ったら、Ctrl+F5 ですぐに遊んで確かめてください。\n"
    "作った本人が一番だまされるのが、よいステージです。\n"
    "\n"
    "TEAM QUOREL";

inline constexpr std::string_view kCalculatorCaption = "余り電卓";
inline constexpr std::string_view kCalculatorHelp =
    "答えとしてでるのは余りです。お間違えのないように．．．\n"
    "マウスonlyな人は[TAB]キーを有効活用しましょう";

// The stage check.
inline constexpr std::string_view kCheckCaption = "ステージを検証";
inline constexpr std::string_view kCheckReplay = "再生";
inline constexpr std::string_view kCheckStopping = "探索を中止しています…";
inline constexpr std::string_view kCheckStartNotFloor = "プレイヤーの開始位置が床ではありません。";
inline constexpr std::string_view kCheckStartOffGrid = "プレイヤーの開始位置がステージの外にあります。";
inline constexpr std::string_view kCheckTooFewBlocks = "ブロックが２個以上ないので、このステージはクリアできません。";
inline constexpr std::string_view kCheckValuesUnclearable =
    "ブロックの数字の組み合わせだけで、このステージはクリアできません。\n"
    "どの順番でぶつけても、ブロックが１個残るか、ＮＧナンバーになります。";
inline constexpr std::string_view kCheckSearching = "最短手数を探しています…";
inline constexpr std::string_view kCheckNoSolution =
    "このステージはクリアできません。\n"
    "ブロックを動かせる局面をすべて調べました。";
inline constexpr std::string_view kCheckUnknown = "クリアできるかどうかは分かりませんでした。";
inline constexpr std::string_view kCheckStoppedByTime = "探索が時間の上限に達しました。";
inline constexpr std::string_view kCheckStoppedByMemory = "探索がメモリの上限に達しました。";
inline constexpr std::string_view kCheckStoppedByStates = "探索が局面数の上限に達しました。";
inline constexpr std::string_view kCheckCancelled = "探索を中止しました。";
inline constexpr std::string_view kCheckUnsupportedTile = "ゲームが読み込めないタイルがあります。";

inline constexpr std::string_view kStageFileFilter = "Quorelステージファイル (*.qrl)";

}  // namespace quorel::editor::texts
