#ifndef QUELLIX_RES_VERSION_H
#define QUELLIX_RES_VERSION_H
/* The product's name, version and the texts of its About page, as plain macros:
   the resource compiler reads this file through its C preprocessor, and
   common/product.h gives the same texts to the program as constants. */

#define QUELLIX_PRODUCT_NAME "Quellix"
#define QUELLIX_VERSION_MAJOR 1
#define QUELLIX_VERSION_MINOR 0
#define QUELLIX_VERSION_TEXT "1.0"
/* VERSIONINFO's four-part forms of the version. */
#define QUELLIX_VERSION_NUMBERS QUELLIX_VERSION_MAJOR, QUELLIX_VERSION_MINOR, 0, 0
#define QUELLIX_VERSION_FULL_TEXT "1.0.0.0"

#define QUELLIX_AUTHORS "the Quellix authors"
#define QUELLIX_COPYRIGHT "Copyright (C) 2026 the Quellix authors"
#define QUELLIX_WEB_SITE "https://quellix.example.org/"
#define QUELLIX_MAIL_ADDRESS "support@quellix.example.org"

#define QUELLIX_FILE_DESCRIPTION "Quellix: ends a hung Clarion environment from the tray"
#define QUELLIX_EXE_NAME "quellix.exe"

#endif
