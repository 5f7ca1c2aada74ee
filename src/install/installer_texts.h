// The installer's message texts and titles.
#pragma once

inline constexpr const char* SCRIPT_READ_FAILED_TEXT = "インストール情報の読み込みに失敗しました";
inline constexpr const char* SCRIPT_READ_FAILED_TITLE = "インストール情報読み込みエラー";
inline constexpr const char* COPY_FAILED_TEXT = "インストール中のエラーです";
inline constexpr const char* INSTALL_ERROR_TITLE = "インストール時のエラー";
inline constexpr const char* CONFIG_FAILED_TEXT = "設定ファイル作成に失敗しました";
inline constexpr const char* START_MENU_QUESTION = "スタートメニューに登録しますか？";
inline constexpr const char* START_MENU_TITLE = "スタートメニューに登録";
inline constexpr const char* SHORTCUTS_FAILED_TEXT = "スタートメニュー登録に失敗しました";
inline constexpr const char* SHORTCUTS_FAILED_TITLE = "インストール失敗";
inline constexpr const char* INSTALL_DONE_TITLE = "インストール完了";
inline constexpr const char* INSTALL_BUTTON_TEXT = "インストール";
inline constexpr const char* CANCEL_BUTTON_TEXT = "やめる";
inline constexpr const char* SCRIPT_FILE_NAME = "install.ini";
