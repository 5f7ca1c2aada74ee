// Every text the screen saver shows. Literals are Shift-JIS at run time.
#pragma once

inline constexpr const char SAVER_CLASS_NAME[] = "WindowsScreenSaverClass";

// Reading the animation file.
inline constexpr const char TEXT_HEADER_SIZE_WRONG[] = "ヘッダサイズが違います";
inline constexpr const char CAPTION_READ_ERROR[] = "読み込みエラー";
inline constexpr const char TEXT_IMAGE_SIZE_WRONG[] = "画像サイズが違います";
inline constexpr const char CAPTION_FATAL_ERROR[] = "致命的エラー";
inline constexpr const char TEXT_TOO_MANY_PAGES[] = "致命的エラー：ページ数が多すぎます。";
inline constexpr const char TEXT_VERSION_UNSUPPORTED[] =
    "このバージョンのめぷファイルは変換できません。";
inline constexpr const char TEXT_OUT_OF_MEMORY[] = "致命的エラー：メモリが足りません。";
inline constexpr const char TEXT_READ_FAILED[] = "読み込み中にエラーが発生しました";
inline constexpr const char TEXT_BAD_PAGE_COUNT[] = "致命的エラー：ページ数が正しくありません。";
inline constexpr const char CAPTION_TROUBLE[] = "大変だ！";

// Settings file dialog.
inline constexpr const char TEXT_SETTINGS_TITLE[] = "再生するめぷファイルの設定";
inline constexpr const char TEXT_FILTER_NAME[] = "めぷアニメファイル";
inline constexpr const char TEXT_FILTER_PATTERN[] = "*.mpa";

// Password dialogs.
inline constexpr const char DIALOG_FONT_NAME[] = "ＭＳ Ｐゴシック";
inline constexpr const char TEXT_PROMPT_TITLE[] = "ｽｸﾘｰﾝｾｰﾊﾞｰ";
inline constexpr const char TEXT_PROMPT_EXPLANATION[] =
    "ｽｸﾘｰﾝｾｰﾊﾞｰを中断するには、正しいﾊﾟｽﾜｰﾄﾞを入力する必要があります。";
inline constexpr const char TEXT_PROMPT_LABEL[] = "ﾊﾟｽﾜｰﾄﾞの入力(&P):";
inline constexpr const char TEXT_CHANGE_TITLE[] = "ﾊﾟｽﾜｰﾄﾞの変更";
inline constexpr const char TEXT_CHANGE_HEADING[] = "Windowsｽｸﾘｰﾝｾｰﾊﾞｰのﾊﾟｽﾜｰﾄﾞ変更";
inline constexpr const char TEXT_CHANGE_NEW_LABEL[] = "新しいﾊﾟｽﾜｰﾄﾞ(&N):";
inline constexpr const char TEXT_CHANGE_CONFIRM_LABEL[] = "新しいﾊﾟｽﾜｰﾄﾞの確認入力(&F):";
inline constexpr const char TEXT_OK[] = "OK";
inline constexpr const char TEXT_CANCEL[] = "ｷｬﾝｾﾙ";
inline constexpr const char TEXT_PASSWORD_MISMATCH[] =
    "入力したﾊﾟｽﾜｰﾄﾞが一致しません。正しく入力してください。";
inline constexpr const char TEXT_PASSWORD_WRONG[] = "ﾊﾟｽﾜｰﾄﾞが不正です";
// Where typing is not already Shift-JIS: a character the password cannot hold.
inline constexpr const char TEXT_PASSWORD_UNSTORABLE[] =
    "ﾊﾟｽﾜｰﾄﾞに使えない文字が含まれています。別の文字で入力してください。";
inline constexpr const char CAPTION_ERROR[] = "ｴﾗｰ";
inline constexpr const char TEXT_PASSWORD_NOT_STORED[] =
    "ﾊﾟｽﾜｰﾄﾞを保存できませんでした。前のﾊﾟｽﾜｰﾄﾞがそのまま使われます。";
// The settings could not store the chosen file.
inline constexpr const char TEXT_SETTINGS_NOT_STORED[] =
    "設定を保存できませんでした。再生するめぷファイルは前のままです。";

// The Linux program's own lines on the terminal.
inline constexpr const char TEXT_USAGE[] =
    "使い方: mepusaver [ｽｲｯﾁ]\n"
    "  -s               全画面で再生する\n"
    "  -p ID            X11 ウィンドウ ID (10進数または 0x で始まる16進数) の中で再生する\n"
    "  -c               再生するめぷファイルを設定する (ｽｲｯﾁなしでも同じ)\n"
    "  -a               ﾊﾟｽﾜｰﾄﾞを変更する\n"
    "  -root            ｽｸﾘｰﾝｾｰﾊﾞｰのﾎｽﾄ (xscreensaver) 用: 環境変数 XSCREENSAVER_WINDOW の\n"
    "                   ウィンドウ、なければルートウィンドウに描く\n"
    "  -window-id ID    ｽｸﾘｰﾝｾｰﾊﾞｰのﾎｽﾄ用: ウィンドウ ID に描く\n"
    "  --help           この一覧を表示する\n"
    "ﾎｽﾄ用のｽｲｯﾁでは入力とﾛｯｸはﾎｽﾄが受け持ち、SIGTERM で終わるまで再生を続けます。";
inline constexpr const char TEXT_NO_HOST_WINDOW[] = "描画するウィンドウ ID がありません";
inline constexpr const char TEXT_NO_ANIMATION_CONFIGURED[] =
    "再生するめぷファイルが設定されていません。mepusaver -c で設定してください。";
// A Wayland session gives a program no foreign windows to draw in and no way to lock the screen.
inline constexpr const char TEXT_WAYLAND_NO_HOST[] =
    "Wayland のセッションでは、ほかのウィンドウの中やﾎｽﾄ用のｽｲｯﾁでは再生できません。"
    "X11 のセッションで使ってください。";
inline constexpr const char TEXT_WAYLAND_NO_LOCK[] =
    "Wayland のセッションでは、ｽｸﾘｰﾝｾｰﾊﾞｰのﾊﾟｽﾜｰﾄﾞで画面をﾛｯｸできません。"
    "ﾊﾟｽﾜｰﾄﾞなしで再生し、入力があれば終わります。\n"
    "画面を守るには、デスクトップの画面ロックを使ってください。";
