# quervix_win: the thin Windows class layer (windows, message maps, dialogs, controls).
add_library(quervix_win STATIC)
target_link_libraries(quervix_win PUBLIC quervix_core quervix_warnings user32 gdi32 comctl32)
target_sources(quervix_win PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/MessageMap.h
  ${CMAKE_CURRENT_LIST_DIR}/Window.h
  ${CMAKE_CURRENT_LIST_DIR}/Wnd.h
  ${CMAKE_CURRENT_LIST_DIR}/Wnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WndToolTips.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinApp.h
  ${CMAKE_CURRENT_LIST_DIR}/WinApp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataExchange.h
  ${CMAKE_CURRENT_LIST_DIR}/DataExchange.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Dialog.h
  ${CMAKE_CURRENT_LIST_DIR}/Dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Button.h
  ${CMAKE_CURRENT_LIST_DIR}/Edit.h
  ${CMAKE_CURRENT_LIST_DIR}/ListBox.h
  ${CMAKE_CURRENT_LIST_DIR}/CheckListBox.h
  ${CMAKE_CURRENT_LIST_DIR}/CheckListBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComboBox.h
  ${CMAKE_CURRENT_LIST_DIR}/ListCtrl.h
  ${CMAKE_CURRENT_LIST_DIR}/ListCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HeaderCtrl.h
  ${CMAKE_CURRENT_LIST_DIR}/ScrollBar.h
  ${CMAKE_CURRENT_LIST_DIR}/ToolTipCtrl.h
  ${CMAKE_CURRENT_LIST_DIR}/Controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MemDC.h
  ${CMAKE_CURRENT_LIST_DIR}/Dpi.h
)
