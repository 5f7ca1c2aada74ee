// The editor's commands: one function per command code of the menu pages. Each runs on the
// application thread and returns when the command is finished.
#pragma once

// Menu loop and dispatch.
int hit_test_menu(int x, int y);
void draw_menu_page();
void show_command_help(int code);
void show_edit_status();
void show_stamp_status();
void dispatch_command(int code);

// Drawing tools and settings.
void pen_tool();
void line_tool();
void box_tool();
void fill_tool();
void undo_drawing();
void invert_frame();
void clear_frame();
void set_onion_depth();

// Frame operations.
void next_frame();
void previous_frame();
void jump_to_frame();
void copy_previous_frame();
void insert_frame();
void delete_frame();
void reverse_frames();
void multi_copy();

// Stamps.
void stamp_tool();
void create_stamp();
void delete_stamp();
void next_stamp();
void previous_stamp();
void draw_current_stamp();

// Playback.
void play_from_start();
void play_from_chosen_frame();
void play_loop();
void set_speed();
