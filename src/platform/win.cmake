# quervix_win: the thin Windows class layer (windows, dialogs, controls, GDI).
