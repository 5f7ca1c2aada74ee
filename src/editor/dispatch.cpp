#include "editor/session/animation.h"
#include "editor/session/load_save.h"
#include "editor/command_codes.h"
#include "editor/commands.h"
#include "editor/editor_settings.h"
#include "editor/menu_pages.h"
#include "editor/stamps.h"
#include "host/host.h"

void dispatch_command(int code) {
    EditorSettings& settings = editor_settings();
    switch (code) {
        case CMD_PEN_WHITE: settings.pen_color = CANVAS_PAPER; break;
        case CMD_PEN_BLACK: settings.pen_color = CANVAS_INK; break;
        case CMD_PEN_THINNEST: settings.pen_width = PEN_WIDTH_THINNEST; break;
        case CMD_PEN_MEDIUM: settings.pen_width = PEN_WIDTH_MEDIUM; break;
        case CMD_PEN_THICKEST: settings.pen_width = PEN_WIDTH_THICKEST; break;
        case CMD_FILL: fill_tool(); break;
        case CMD_PLAY_FROM_START: play_from_start(); break;
        case CMD_BOX: box_tool(); break;
        case CMD_COPY_PREVIOUS_FRAME: copy_previous_frame(); break;
        case CMD_NEXT_FRAME: next_frame(); break;
        case CMD_PREVIOUS_FRAME: previous_frame(); break;
        case CMD_UNDO: undo_drawing(); break;
        case CMD_LINE: line_tool(); break;
        case CMD_INVERT_FRAME: invert_frame(); break;
        case CMD_CLEAR_FRAME: clear_frame(); break;
        case CMD_TO_STAMP_PAGE: settings.menu_page = STAMP_PAGE; break;
        case CMD_TO_SYSTEM_PAGE: settings.menu_page = SYSTEM_PAGE; break;
        case CMD_JUMP_TO_FRAME: jump_to_frame(); break;
        case CMD_PEN: pen_tool(); break;
        case CMD_TO_EDIT_PAGE: settings.menu_page = EDIT_PAGE; break;
        case CMD_LOAD: load_animation(); break;
        case CMD_SAVE: save_animation(); break;
        case CMD_SPEED: set_speed(); break;
        case CMD_PLAY_FROM_CHOSEN: play_from_chosen_frame(); break;
        case CMD_REWIND: animation().current_frame = 0; break;
        case CMD_PLAY_LOOP: play_loop(); break;
        case CMD_ONION_DEPTH: set_onion_depth(); break;
        case CMD_TO_DRAWING_PAGE: settings.menu_page = DRAWING_PAGE; break;
        case CMD_STAMP: stamp_tool(); break;
        case CMD_NEW_STAMP: create_stamp(); break;
        case CMD_DELETE_STAMP: delete_stamp(); break;
        case CMD_NEXT_STAMP: next_stamp(); break;
        case CMD_PREVIOUS_STAMP: previous_stamp(); break;
        case CMD_STAMP_WHITE: set_stamp_color(CANVAS_PAPER); break;
        case CMD_STAMP_BLACK: set_stamp_color(CANVAS_INK); break;
        case CMD_DELETE_FRAME: delete_frame(); break;
        case CMD_INSERT_FRAME: insert_frame(); break;
        case CMD_REVERSE_FRAMES: reverse_frames(); break;
        case CMD_MULTI_COPY: multi_copy(); break;
        // 46, 49, automatic completion (84) and unknown codes do nothing.
        default: break;
    }
}
