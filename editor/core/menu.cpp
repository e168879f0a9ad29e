#include "editor/core/menu.h"

#include <array>

namespace quorel::editor {

namespace {

constexpr std::array kFileMenu{
    MenuItem{"selectfile", "ファイルを開く(&L)", "F2", Command::Open},
    MenuItem{"New1", "ゲームの新規作成(&N)", "Ctrl+C", Command::NewSet},
    MenuItem{"KK1", "上書き保存する(&S)", "Ctrl+S", Command::Save},
    MenuItem{"save", "名前を付けて保存する(&A)", "F9", Command::SaveAs},
    MenuItem{"N2", "-", "", Command::None},
    MenuItem{"Game", "ゲーム本体を起動する(&G)", "F5", Command::StartGame},
    MenuItem{"K1", "今編集しているステージを起動する(&I)", "Ctrl+F5", Command::TestPlay},
    MenuItem{"N1", "-", "", Command::None},
    MenuItem{"K4", "このステージの新規作成", "Ctrl+N", Command::ResetStage},
    MenuItem{"N5", "-", "", Command::None},
    MenuItem{"exit", "終了(&X)", "F12", Command::Exit},
};

constexpr std::array kEditMenu{
    MenuItem{"Undo1", "元に戻す(&U)", "Ctrl+Z", Command::Undo},
    MenuItem{"Redo1", "やり直し(&R)", "Ctrl+Y", Command::Redo},
};

constexpr std::array kSettingMenu{
    MenuItem{"stageswap", "２ステージ入れ替え(&C)", "F7", Command::SwapStages},
    MenuItem{"N4", "-", "", Command::None},
    MenuItem{"KS1", "ステージのＮＧナンバー設定(&S)", "F8", Command::NgNumber},
    MenuItem{"K3", "このゲームの最大ステージの設定(&M)", "F11", Command::StageCount},
    MenuItem{"name", "制作者の名前(&N)", "F4", Command::Designer},
};

constexpr std::array kToolMenu{
    MenuItem{"K5", "余り電卓", "F3", Command::Calculator},
    MenuItem{"check", "ステージを検証", "F6", Command::CheckStage},
};

constexpr std::array kVersionMenu{
    MenuItem{"ver", "バージョン情報(&V)", "", Command::Version},
};

constexpr std::array kMainMenu{
    Menu{"file", "ファイル(&F)", kFileMenu},
    Menu{"Edit1", "編集(&E)", kEditMenu},
    Menu{"Setting1", "設定(&S)", kSettingMenu},
    Menu{"KT1", "ツール(&T)", kToolMenu},
    Menu{"version", "バージョン情報(&V)", kVersionMenu},
};

}  // namespace

std::span<const Menu> mainMenu() { return kMainMenu; }

}  // namespace quorel::editor
