/* resource.h: numeric ids of Quervix.dll's dialog templates, their controls and the button icons.
   Shared by Quervix.rc and the dialog code, so it holds nothing but #defines. */
#ifndef QUERVIX_RESOURCE_H
#define QUERVIX_RESOURCE_H

/* Dialog templates */
#define IDD_SELECTSQL             1000  /* the query builder */
#define IDD_WHEN_PRINTED           288  /* prompt and default of a When Printed variable */

/* Controls of IDD_SELECTSQL (OK and Cancel are IDOK and IDCANCEL) */
#define IDC_SYNTAX_HEADING        1000
#define IDC_SYNTAX_HELP           1001
#define IDC_PREVIEW_CAPTION       1002
#define IDC_PREVIEW               1003
#define IDC_SELECT_LABEL          1004
#define IDC_COLUMNS               1005
#define IDC_FROM_LABEL            1006
#define IDC_TABLE                 1007
#define IDC_WHERE_GRID            1008
#define IDC_WHERE_LABEL           1009
#define IDC_WHERE_ENABLED         1010
#define IDC_ORDERBY_GRID          1011
#define IDC_ORDERBY_LABEL         1012
#define IDC_ORDERBY_ENABLED       1013
#define IDC_MOVE_UP               1014
#define IDC_MOVE_DOWN             1015
#define IDC_ADD_WHERE             1016
#define IDC_REMOVE_WHERE          1018

/* Controls of IDD_WHEN_PRINTED */
#define IDC_WP_PROMPT             2260
#define IDC_WP_DEFAULT            2279

/* Group icons of the four image buttons */
#define IDI_MOVE_UP               1001
#define IDI_MOVE_DOWN             1005
#define IDI_ADD_WHERE             1006
#define IDI_REMOVE_WHERE          1007

#ifndef IDC_STATIC
#define IDC_STATIC                (-1)
#endif

#endif /* QUERVIX_RESOURCE_H */
