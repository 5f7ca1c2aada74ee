// The host's own texts, Shift-JIS like every text of the program (decoded only for display).
#pragma once

inline constexpr const char* MAIN_WINDOW_TITLE = "tarvolo Zelkon interface";
inline constexpr const char* TEXT_WINDOW_TITLE = "tarvolo Zelkon interface -text out-";
inline constexpr const char* HOST_CAPTION = " tarvolo Zel kon interface";

inline constexpr const char* MENU_ACTION = "動作";
inline constexpr const char* MENU_PAUSE = "一時停止";
inline constexpr const char* MENU_QUIT = "終了";
inline constexpr const char* MENU_SCREEN = "画面設定";
inline constexpr const char* MENU_STANDARD = "標準";
inline constexpr const char* MENU_DOUBLE = "２倍";
inline constexpr const char* MENU_HELP = "?";
inline constexpr const char* MENU_ABOUT = "Zel kon interface について";

inline constexpr const char* PAUSE_NOTICE = "Zelkon アプリケーションは停止中です";
inline constexpr const char* QUIT_QUESTION = "終了してよろしいですか";
inline constexpr const char* ABOUT_TEXT = "tarvolo Zelkon interface\nめぷ のための Qt 版ホスト";
inline constexpr const char* THREAD_START_FAILED = "スレッドを生成できませんでした。";
