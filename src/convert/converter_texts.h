// The converter's user-visible texts (Shift-JIS at run time).
#pragma once

inline constexpr char TEXT_CONVERTER_TITLE[] = "M2BMP";
inline constexpr char CAPTION_CONVERTER[] = " M2BMP";
inline constexpr char CAPTION_TROUBLE[] = "大変だ！";
inline constexpr char CAPTION_READ_ERROR[] = "読み込みエラー";
inline constexpr char CAPTION_FATAL[] = "致命的エラー";

inline constexpr char MSG_NO_INPUT[] = "変換元のめぷファイルが指定されていません";
inline constexpr char MSG_NO_OUTPUT[] = "変換先のBMPファイル名が指定されていません";
inline constexpr char MSG_NO_GIF_OUTPUT[] = "変換先のGIFファイル名が指定されていません";
inline constexpr char MSG_READ_FAILED[] = "読み込み中にエラーが発生しました";
inline constexpr char MSG_HEADER_SIZE[] = "ヘッダサイズが違います";
inline constexpr char MSG_IMAGE_SIZE[] = "画像サイズが違います";
inline constexpr char MSG_TOO_MANY_PAGES[] = "致命的エラー：ページ数が多すぎます。";
inline constexpr char MSG_OLD_VERSION[] = "このバージョンのめぷファイルは変換できません。";
inline constexpr char MSG_OUT_OF_MEMORY[] = "致命的エラー：メモリが足りません。";
inline constexpr char MSG_FILE_DAMAGED[] = "めぷファイルが壊れています";

// Status-line texts; the error texts follow the output path, the others take a frame index.
inline constexpr char STATUS_OPEN_ERROR[] = "オープンエラー";
inline constexpr char STATUS_HEADER_WRITE_ERROR[] = "ヘッダ書き込みエラー";
inline constexpr char STATUS_BITS_WRITE_ERROR[] = "ビット書き込みエラー";
inline constexpr char STATUS_FRAME_DONE[] = "%d枚目変換成功";
inline constexpr char STATUS_READING_FRAME[] = "現在%dコマ目を読み込み中     ";
inline constexpr char STATUS_GIF_FRAME[] = "現在%dコマ目をGIFに変換中     ";
inline constexpr char STATUS_GIF_DONE[] = "%dコマのGIFアニメ変換成功";
inline constexpr char STATUS_WRITE_ERROR[] = "書き込みエラー";

// Dialog texts.
inline constexpr char LABEL_CHOOSE_INPUT[] = "めぷファイルを読み込む";
inline constexpr char LABEL_CHOOSE_OUTPUT[] = "出力ファイルを決める";
inline constexpr char LABEL_WIDTH[] = "よこの大きさ";
inline constexpr char LABEL_HEIGHT[] = "たての大きさ";
inline constexpr char LABEL_RUN[] = "実行";
inline constexpr char TITLE_OPEN_DIALOG[] = "めぷファイルの読み込み";
inline constexpr char FILTER_NAME_ANIMATION[] = "めぷアニメファイル";
inline constexpr char FILTER_PATTERN_ANIMATION[] = "*.mpa";
inline constexpr char TITLE_SAVE_DIALOG[] = "出力ファイル名を決める";
inline constexpr char LABEL_OUTPUT_BMP[] = "BMPファイルにする（1コマ1枚）";
inline constexpr char LABEL_OUTPUT_GIF[] = "GIFアニメにする（1つにまとめる）";
inline constexpr char LABEL_GIF_SCALE[] = "GIFの大きさ";
inline constexpr char LABEL_GIF_SCALE_CHOICE[] = "%d倍";
inline constexpr char LABEL_GIF_LOOP[] = "くりかえし再生する";
inline constexpr char FILTER_NAME_GIF[] = "GIFアニメ";
inline constexpr char FILTER_PATTERN_GIF[] = "*.gif";
inline constexpr char DEFAULT_EXTENSION_GIF[] = "gif";
