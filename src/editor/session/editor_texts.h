// Every text the editor shows, in its text window and its boxes and dialogs. Literals are Shift-JIS
// at run time; FORMAT_ texts are printf formats.
#pragma once

// The tools: fill, pen, line and box.
inline constexpr const char TEXT_FILL_HINT[] = "色をぬります。ぬりはじめる点を決めて左クリック\n";
inline constexpr const char TEXT_RIGHT_CLICK_BACK[] = "右クリックでメニューにもどる";
inline constexpr const char TEXT_PEN_HINT[] = "左ボタンを押しながら絵を描く";
inline constexpr const char TEXT_PEN_BACK[] = "右ボタンを押すとメニューにもどる";
inline constexpr const char TEXT_LINE_FIRST_POINT[] =
    "線をひきます。まず最初の点を決めて左ボタンをおしたまま動かす\n";
inline constexpr const char TEXT_LINE_END_POINT[] = "次におわりの点を決めて左ボタンをはなす\n";
inline constexpr const char TEXT_BOX_FIRST_POINT[] =
    "箱をかきます。まず最初の点を決めて左ボタンをおしたまま動かす\n";
inline constexpr const char TEXT_BOX_OPPOSITE_POINT[] = "次に対角の点を決めて左ボタンをはなす\n";

// Frames: adding, jumping, deleting, reversing, copying; the onion skin.
inline constexpr const char TEXT_PRESS_A_BUTTON[] = "マウスのボタンをおしてください\n";
inline constexpr const char TEXT_FRAMES_FULL[] =
    "コマの数がいっぱいなのでこれ以上コマをふやせません｡\n";
inline constexpr const char TEXT_NO_MEMORY_FOR_FRAME[] =
    "メモリが足りないのでこれ以上コマをふやせません｡\n";
inline constexpr const char TEXT_JUMP_PROMPT[] = "指定したコマにジャンプします。";
inline constexpr const char TEXT_DELETE_QUESTION[] = "削除してよろしいですか";
inline constexpr const char CAPTION_DELETE_FRAME[] = "ひとコマ削除";
inline constexpr const char TEXT_REVERSE_FIRST[] = "\n逆回転をはじめるコマを指定してください";
inline constexpr const char TEXT_REVERSE_LAST[] = "\nおわりのコマを指定してください";
inline constexpr const char TEXT_COPY_FIRST[] = "コピー元の最初のコマを指定してください\n";
inline constexpr const char TEXT_COPY_LAST[] = "コピー元の最後のコマを指定してください\n";
inline constexpr const char TEXT_COPY_TARGET[] = "コピー先のコマを指定してください\n";
inline constexpr const char TEXT_COPY_TIMES[] = "コピー回数を指定してください\n";
inline constexpr const char TEXT_COPY_TOO_MANY[] = "ページが多すぎます";
inline constexpr const char CAPTION_COPY_ERROR[] = "連続コピーエラー";
inline constexpr const char FORMAT_COPY_QUESTION[] =
    "コピー先%dコマ目 コピー枚数%d枚 これでよろしいですか?";
inline constexpr const char CAPTION_COPY[] = "連続コピー";
inline constexpr const char TEXT_COPY_NO_MEMORY[] = "メモリが足りないのでコピーできません";
inline constexpr const char TEXT_ONION_PROMPT[] = "編集中に何枚前の絵までみえるか設定します。";

// Playback and its speed.
inline constexpr const char FORMAT_PLAYING_FRAME[] = "現在､%dコマ目を再生中         \n";
inline constexpr const char FORMAT_FRAMES_PER_SECOND[] = "毎秒%dコマ  \n";
inline constexpr const char FORMAT_FRAME_TOTAL[] = "全%dコマ   \n";
inline constexpr const char TEXT_PLAYBACK_HINT[] = "マウス右ボタンで再生中止､左ボタンで一時停止";
inline constexpr const char TEXT_PLAY_FROM_PROMPT[] = "指定したコマから再生をはじめます。\n";
inline constexpr const char TEXT_SPEED_PROMPT[] = "一秒間に何コマ再生するか設定します\n";

// Stamps.
inline constexpr const char TEXT_NEW_STAMP[] = "新しくスタンプを作成します\n";
inline constexpr const char TEXT_NEW_STAMP_CHOOSE[] =
    "スタンプにしたいところをマウスで選んでください\n";
inline constexpr const char TEXT_NEW_STAMP_DRAG[] =
    "左ボタンおしながらマウスを動かし、左ボタンを離すと選択完了\n";
inline constexpr const char TEXT_NEW_STAMP_CANCEL[] = "右ボタンを押すとスタンプを作らずに終了";
inline constexpr const char TEXT_STAMP_PRESS_HINT[] = "左ボタンでスタンプをおします\n";
inline constexpr const char TEXT_STAMP_BACK[] = "右ボタンでメニューにもどります\n";
inline constexpr const char TEXT_DELETE_STAMP[] = "現在のスタンプを削除します";
inline constexpr const char CAPTION_DELETE_STAMP[] = "なかまはずれ";

// The status lines of the menu pages (the commands' own help is the table in status_texts.cpp).
inline constexpr const char FORMAT_EDIT_STATUS[] = "%dコマ目を編集中(全%dコマ) ";
inline constexpr const char TEXT_PEN_WHITE_STATUS[] = "ペンの色は白 ";
inline constexpr const char TEXT_PEN_BLACK_STATUS[] = "ペンの色は黒 ";
inline constexpr const char TEXT_WIDTH_THICKEST_STATUS[] = "ふとさはごくぶと\n";
inline constexpr const char TEXT_WIDTH_MEDIUM_STATUS[] = "ふとさはややぶと\n";
inline constexpr const char TEXT_WIDTH_THINNEST_STATUS[] = "ふとさはごくほそ\n";
inline constexpr const char FORMAT_STAMP_STATUS[] = "%d個目のスタンプ（最大%d個）";
inline constexpr const char TEXT_STAMP_WHITE_STATUS[] = "スタンプの色は白です\n";
inline constexpr const char TEXT_STAMP_BLACK_STATUS[] = "スタンプの色は黒です\n";
inline constexpr const char TEXT_RIGHT_BUTTON_HINT[] =
    "右ボタンで状況表示ウインドウを呼び出します\n";
inline constexpr const char TEXT_RESIZE_HINT[] = "ウインドウの大きさをかえるには\n";
inline constexpr const char TEXT_RESIZE_HOW[] = "右下をマウスでつまみながらうごかす\n";

// Loading and saving. The fatal read errors are shown twice: a line in the text window (LINE_) and a box (TEXT_).
inline constexpr const char CAPTION_FILE_ERROR[] = "大変だ！";
inline constexpr const char ANIMATION_FILE_PATTERN[] = "*.mpa";
inline constexpr const char TEXT_ANIMATION_FILES[] = "めぷアニメファイル";
inline constexpr const char TEXT_READ_ERROR[] = "読み込み中にエラーが発生しました";
inline constexpr const char TEXT_WRITE_ERROR[] = "書き込み中にエラーが発生しました";
inline constexpr const char TEXT_WRITE_ERROR_NAME[] =
    "書き込み中にエラーが発生しました。ファイル名が違法かも知れません。";
inline constexpr const char LINE_HEADER_SIZE_WRONG[] = "\nエラー：ヘッダサイズが違います。";
inline constexpr const char FORMAT_READING_FRAME[] = "現在%dコマ目を読み込み中     ";
inline constexpr const char LINE_IMAGE_SIZE_WRONG[] = "\n致命的エラー：画像サイズが違います。";
inline constexpr const char TEXT_IMAGE_SIZE_WRONG[] = "致命的エラー：画像サイズが違います";
inline constexpr const char LINE_TOO_MANY_PAGES[] = "\n致命的エラー：ページ数が多すぎます。";
inline constexpr const char TEXT_TOO_MANY_PAGES[] = "致命的エラー：ページ数が多すぎます。";
inline constexpr const char LINE_BAD_PAGE_COUNT[] = "\n致命的エラー：ページ数が正しくありません。";
inline constexpr const char TEXT_BAD_PAGE_COUNT[] = "致命的エラー：ページ数が正しくありません。";
inline constexpr const char LINE_VERSION_REFUSED[] =
    "\n致命的エラー：このバージョンのめぷファイルは読み込めません。";
inline constexpr const char TEXT_VERSION_REFUSED[] =
    "致命的エラー：このバージョンのめぷファイルは読み込めません。";
inline constexpr const char LINE_OUT_OF_MEMORY[] = "\n致命的エラー：メモリが足りません。";
inline constexpr const char TEXT_OUT_OF_MEMORY[] = "致命的エラー：メモリが足りません。";
inline constexpr const char LINE_DAMAGED_FRAME[] = "\n致命的エラー：コマのデータが壊れています。";
inline constexpr const char TEXT_DAMAGED_FRAME[] = "致命的エラー：コマのデータが壊れています。";
inline constexpr const char TEXT_LOAD_PROMPT[] = "\n読み込みます｡ファイル名をえらんでください";
inline constexpr const char CAPTION_LOAD_DIALOG[] = "ファイルの読み込み";
inline constexpr const char LINE_LOAD_DONE[] = "\n終了";
inline constexpr const char FORMAT_COMPRESSING_FRAME[] =
    "現在%dコマ目をランレングス圧縮中です｡     ";
inline constexpr const char TEXT_SAVE_PROMPT[] = "保存します｡ファイル名をえらんでください\n";
inline constexpr const char CAPTION_SAVE_DIALOG[] = "ファイルの保存";

// The first run's setup.
inline constexpr const char CAPTION_WELCOME[] = "めぷへようこそ！";
inline constexpr const char TEXT_CREATING_CONFIG[] =
    "システムフォルダに設定ファイル\"mepusys.ini\"を作成します。";
inline constexpr const char CAPTION_CREATING_CONFIG[] = "ようこそ「めぷ」へ";
inline constexpr const char TEXT_CONFIG_NOT_WRITTEN[] = "作成に失敗しました。";
inline constexpr const char CAPTION_CONFIG_NOT_WRITTEN[] = "どうなってんだ";
inline constexpr const char TEXT_SETUP_INTRODUCTION[] =
    "これから「めぷ」の設定を行います。ＯＫボタンを押して、次の画面でMEPU.EXEを選んでください。";
inline constexpr const char CAPTION_PROGRAM_DIALOG[] =
    "mepu.exeがインストールされた場所を指定してください";
inline constexpr const char TEXT_PROGRAM_FILES[] = "mepu.exeの指定";
inline constexpr const char TEXT_FOLDER_NAME_TOO_LONG[] =
    "フォルダの名前が長すぎます。もっと短い名前のフォルダに置いてください。";
inline constexpr const char TEXT_SETUP_RETRY[] =
    "前の画面での設定がよくなかったようです。ＯＫボタンを押すともう一度設定をします。キャンセルでめぷを終了します。";
inline constexpr const char TEXT_REINSTALL[] =
    "めぷの起動に必要なファイルが足りないようです。もう一度インストールしてみてください。";
inline constexpr const char CAPTION_WHAT_NEXT[] = "今後の対策";

// Start-up.
inline constexpr const char CAPTION_RUNTIME_ERROR[] = "実行時のエラー";
inline constexpr const char TEXT_PROGRAM_FOLDER_NOT_FOUND[] =
    "「めぷ」を起動するのに必要なファイルが見付かりません。ＯＫボタンを押すと次に進みます。";
inline constexpr const char TEXT_RESTART_FOR_SETUP[] =
    "ＯＫボタンをおすとめぷは終了します。その後で、スタートメニューからめぷを起動してください。めぷの設定がはじまります。";
inline constexpr const char FORMAT_CONFIG_NOT_DELETED[] =
    "%sを削除できませんでした。何とかしてこのファイルを消してから、めぷをスタートメニューを起動してください。設定が始まります。";
inline constexpr const char TEXT_CONFIG_FOLDER_TOO_LONG[] =
    "設定ファイルに書かれたフォルダの名前が長すぎます。";
inline constexpr const char TEXT_WELCOME[] = "ようこそ､お気楽アニメーションしすてむ｢めぷ｣へ\n";
inline constexpr const char TEXT_WELCOME_MENU_HINT[] =
    "\n  もう一つの窓の上でマウスのみぎのボタンをおすとメニューがでます｡";
