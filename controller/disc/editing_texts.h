#pragma once
// Texts of the disc's editing (Rotela's string table): the name dialog, the wait box, the track
// list editor and the editing popup's questions and failures.

namespace tovik::disc {

enum EditingTextId : unsigned {
    IDS_DISC_NAME_CAPTION = 57671,   // "Disc name Edit"
    IDS_TRACK_NAME_CAPTION = 57672,  // "Track name Edit"
    IDS_ASK_ERASE = 57674,           // "%d ERASE OK ?"
    IDS_ASK_ALL_ERASE = 57675,       // "ALL ERASE OK ?"
    IDS_ASK_MOVE = 57676,            // "MOVE %d => %d OK ?"
    IDS_ASK_COMBINE = 57677,         // "COMBINE %d+%d OK?"
    IDS_ASK_DIVIDE = 57678,          // "DIVIDE OK ?"
    IDS_ASK_MOVE_TRACK = 57679,      // "Track Move\n%d -> %d"
    IDS_ASK_DELETE_TRACK = 57680,    // "Delete Track %d"
    IDS_CHAR_MISMATCH = 57688,       // "This char is mismatch for MD."
    IDS_CANT_CHANGE_TEXT = 57704,    // "Can't change MD text data."
    IDS_CANT_EDIT_DATA = 57705,      // "Can't edit MD data."
    IDS_DISC_REMOVED = 57707,        // "MD removed!\nCan't continue editing."
    IDS_NAME_TOO_LONG = 57740,       // "This name is too long for MD."

    // The dialogs' own words.
    IDS_WAIT_CAPTION = 57770,        // "Change Text"
    IDS_WAIT_TEXT = 57771,           // "Changing MD text now."
    IDS_EDITOR_CAPTION = 57772,      // "Edit Track list"
    IDS_EDITOR_DISC_NAME = 57773,    // "Disc name"
    IDS_EDITOR_MOVE_GROUP = 57774,   // "Move Track"
    IDS_EDITOR_MOVE = 57775,         // "MOVE"
    IDS_EDITOR_CHANGE = 57776,       // "Change..."
    IDS_EDITOR_EXIT = 57777,         // "Exit"
    IDS_DIALOG_OK = 57778,           // "OK"
    IDS_DIALOG_CANCEL = 57779,       // "Cancel"
    IDS_EDITOR_TRACKS = 57781,       // "Tracks"
    // OK in confirmation mode when the deck is no longer on the track the question named.
    IDS_TRACK_CHANGED = 57780,
};

}  // namespace tovik::disc
