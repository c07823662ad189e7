#!/bin/sh
# Makes the CVS example: builds a CVS repository with the cvs program, in
# which four developers grow ledger.c, a small C program, over fourteen trunk
# revisions while a fifth keeps a branch "stable" from revision 1.8, and
# extracts the trunk's evolution with quillon-extract.
#
# Usage: scripts/make_cvs_example.sh [OUTDIR]
#   OUTDIR defaults to examples/ledger; QUILLON_EXTRACT names the tool
#   (default build/release/tools/quillon-extract). Needs cvs and patch.
#
# Each commit's author comes from LOGNAME. cvs honours LOGNAME only for
# root outside a login session, so the authors are also written into the
# RCS file afterwards; the revision dates are those of the run.
set -eu

top=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$top/examples/ledger}
extract=${QUILLON_EXTRACT:-$top/build/release/tools/quillon-extract}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

CVSROOT=$work/root
export CVSROOT
cvs -Q init
mkdir "$CVSROOT/ledger"
cd "$work"
cvs -Q checkout ledger
cd ledger

authors=""
# commit AUTHOR MESSAGE REVISION
commit() {
    LOGNAME=$1 USER=$1 cvs -Q commit -m "$2" ledger.c </dev/null
    authors="$authors $3:$1"
}

# 1.1
cat >ledger.c <<'EOF'
/* ledger.c: sums the amounts of a simple ledger file.
 *
 * Each line of the ledger holds an account name and an amount,
 * separated by blanks. The program prints the total of all amounts.
 */

#include <stdio.h>
#include <stdlib.h>

#define MAX_LINE 256

int main(int argc, char **argv)
{
    FILE *in;
    char line[MAX_LINE];
    double total = 0.0;

    if (argc < 2) {
        fprintf(stderr, "usage: ledger FILE\n");
        return 1;
    }
    in = fopen(argv[1], "r");
    if (in == NULL) {
        perror(argv[1]);
        return 1;
    }
    while (fgets(line, sizeof line, in) != NULL) {
        char name[64];
        double amount;
        if (sscanf(line, "%63s %lf", name, &amount) == 2)
            total += amount;
    }
    fclose(in);
    printf("total: %.2f\n", total);
    return 0;
}
EOF
LOGNAME=ann USER=ann cvs -Q add ledger.c
commit ann "Sum the amounts of a ledger file" 1.1

# 1.2
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -1,7 +1,8 @@
 /* ledger.c: sums the amounts of a simple ledger file.
  *
  * Each line of the ledger holds an account name and an amount,
- * separated by blanks. The program prints the total of all amounts.
+ * separated by blanks. Lines starting with '#' are comments.
+ * The program prints the total of all amounts.
  */
 
 #include <stdio.h>
@@ -27,6 +28,9 @@
     while (fgets(line, sizeof line, in) != NULL) {
         char name[64];
         double amount;
+        /* Lines starting with '#' are comments; blank lines separate days. */
+        if (line[0] == '#' || line[0] == '\n')
+            continue;
         if (sscanf(line, "%63s %lf", name, &amount) == 2)
             total += amount;
     }
EOF
commit bob "Skip comment and blank lines" 1.2

# 1.3
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -7,8 +7,32 @@
 
 #include <stdio.h>
 #include <stdlib.h>
+#include <string.h>
 
 #define MAX_LINE 256
+#define MAX_ACCOUNTS 100
+
+struct account {
+    char name[64];
+    double total;
+};
+
+static struct account accounts[MAX_ACCOUNTS];
+static int account_count = 0;
+
+/* The account of that name, made on first use; NULL when full. */
+static struct account *find_account(const char *name)
+{
+    for (int i = 0; i < account_count; i++) {
+        if (strcmp(accounts[i].name, name) == 0)
+            return &accounts[i];
+    }
+    if (account_count == MAX_ACCOUNTS)
+        return NULL;
+    strncpy(accounts[account_count].name, name, sizeof accounts[0].name - 1);
+    accounts[account_count].total = 0.0;
+    return &accounts[account_count++];
+}
 
 int main(int argc, char **argv)
 {
@@ -31,8 +55,12 @@
         /* Lines starting with '#' are comments; blank lines separate days. */
         if (line[0] == '#' || line[0] == '\n')
             continue;
-        if (sscanf(line, "%63s %lf", name, &amount) == 2)
+        if (sscanf(line, "%63s %lf", name, &amount) == 2) {
+            struct account *a = find_account(name);
+            if (a != NULL)
+                a->total += amount;
             total += amount;
+        }
     }
     fclose(in);
     printf("total: %.2f\n", total);
EOF
commit cid "Keep a total per account" 1.3

# 1.4
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -63,6 +63,8 @@
         }
     }
     fclose(in);
-    printf("total: %.2f\n", total);
+    for (int i = 0; i < account_count; i++)
+        printf("%s: %.2f\n", accounts[i].name, accounts[i].total);
+    printf("grand total: %.2f\n", total);
     return 0;
 }
EOF
commit ann "Print every account" 1.4

# 1.5
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -39,6 +39,8 @@
     FILE *in;
     char line[MAX_LINE];
     double total = 0.0;
+    int line_number = 0;
+    int bad_lines = 0;
 
     if (argc < 2) {
         fprintf(stderr, "usage: ledger FILE\n");
@@ -52,6 +54,7 @@
     while (fgets(line, sizeof line, in) != NULL) {
         char name[64];
         double amount;
+        line_number++;
         /* Lines starting with '#' are comments; blank lines separate days. */
         if (line[0] == '#' || line[0] == '\n')
             continue;
@@ -60,11 +63,16 @@
             if (a != NULL)
                 a->total += amount;
             total += amount;
+        } else {
+            fprintf(stderr, "%s:%d: not an entry\n", argv[1], line_number);
+            bad_lines++;
         }
     }
     fclose(in);
     for (int i = 0; i < account_count; i++)
         printf("%s: %.2f\n", accounts[i].name, accounts[i].total);
     printf("grand total: %.2f\n", total);
-    return 0;
+    if (bad_lines > 0)
+        fprintf(stderr, "%d lines skipped\n", bad_lines);
+    return bad_lines > 0 ? 2 : 0;
 }
EOF
commit dee "Report lines that are no entries" 1.5

# 1.6
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -60,8 +60,12 @@
             continue;
         if (sscanf(line, "%63s %lf", name, &amount) == 2) {
             struct account *a = find_account(name);
-            if (a != NULL)
-                a->total += amount;
+            if (a == NULL) {
+                fprintf(stderr, "too many accounts (at most %d)\n", MAX_ACCOUNTS);
+                fclose(in);
+                return 3;
+            }
+            a->total += amount;
             total += amount;
         } else {
             fprintf(stderr, "%s:%d: not an entry\n", argv[1], line_number);
EOF
commit bob "Stop at too many accounts" 1.6

# 1.7
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -59,6 +59,7 @@
         if (line[0] == '#' || line[0] == '\n')
             continue;
         if (sscanf(line, "%63s %lf", name, &amount) == 2) {
+            fprintf(stderr, "debug: %s %f\n", name, amount);
             struct account *a = find_account(name);
             if (a == NULL) {
                 fprintf(stderr, "too many accounts (at most %d)\n", MAX_ACCOUNTS);
@@ -68,7 +69,7 @@
             a->total += amount;
             total += amount;
         } else {
-            fprintf(stderr, "%s:%d: not an entry\n", argv[1], line_number);
+            fprintf(stderr, "%s:%d: not an entry: %s", argv[1], line_number, line);
             bad_lines++;
         }
     }
EOF
commit cid "Trace entries while hunting a rounding bug" 1.7

# 1.8
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -10,7 +10,7 @@
 #include <string.h>
 
 #define MAX_LINE 256
-#define MAX_ACCOUNTS 100
+#define MAX_ACCOUNTS 200
 
 struct account {
     char name[64];
@@ -59,7 +59,6 @@
         if (line[0] == '#' || line[0] == '\n')
             continue;
         if (sscanf(line, "%63s %lf", name, &amount) == 2) {
-            fprintf(stderr, "debug: %s %f\n", name, amount);
             struct account *a = find_account(name);
             if (a == NULL) {
                 fprintf(stderr, "too many accounts (at most %d)\n", MAX_ACCOUNTS);
EOF
commit ann "Drop the trace; room for more accounts" 1.8

# The branch "stable", from 1.8.
cvs -Q tag -b stable ledger.c
cvs -Q update -r stable ledger.c

# 1.8.2.1
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -65,7 +65,8 @@
                 fclose(in);
                 return 3;
             }
-            a->total += amount;
+            /* Amounts in cents avoid the rounding of sums. */
+            a->total += (double)(long)(amount * 100.0 + (amount < 0 ? -0.5 : 0.5)) / 100.0;
             total += amount;
         } else {
             fprintf(stderr, "%s:%d: not an entry: %s", argv[1], line_number, line);
EOF
commit eve "Round each amount to cents" 1.8.2.1

# 1.8.2.2
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -76,7 +76,7 @@
     fclose(in);
     for (int i = 0; i < account_count; i++)
         printf("%s: %.2f\n", accounts[i].name, accounts[i].total);
-    printf("grand total: %.2f\n", total);
+    printf("grand total: %.2f (%d accounts)\n", total, account_count);
     if (bad_lines > 0)
         fprintf(stderr, "%d lines skipped\n", bad_lines);
     return bad_lines > 0 ? 2 : 0;
EOF
commit bob "Count the accounts in the report" 1.8.2.2

# 1.8.2.3
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -56,7 +56,7 @@
         double amount;
         line_number++;
         /* Lines starting with '#' are comments; blank lines separate days. */
-        if (line[0] == '#' || line[0] == '\n')
+        if (line[0] == '#' || line[0] == ';' || line[0] == '\n')
             continue;
         if (sscanf(line, "%63s %lf", name, &amount) == 2) {
             struct account *a = find_account(name);
EOF
commit eve "Semicolons start comments too" 1.8.2.3

# Back on the trunk.
cvs -Q update -A ledger.c

# 1.9
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -42,14 +42,15 @@
     int line_number = 0;
     int bad_lines = 0;
 
-    if (argc < 2) {
-        fprintf(stderr, "usage: ledger FILE\n");
-        return 1;
-    }
-    in = fopen(argv[1], "r");
-    if (in == NULL) {
-        perror(argv[1]);
-        return 1;
+    const char *path = argc < 2 ? "-" : argv[1];
+    if (strcmp(path, "-") == 0) {
+        in = stdin;
+    } else {
+        in = fopen(path, "r");
+        if (in == NULL) {
+            perror(path);
+            return 1;
+        }
     }
     while (fgets(line, sizeof line, in) != NULL) {
         char name[64];
@@ -62,17 +63,19 @@
             struct account *a = find_account(name);
             if (a == NULL) {
                 fprintf(stderr, "too many accounts (at most %d)\n", MAX_ACCOUNTS);
-                fclose(in);
+                if (in != stdin)
+                    fclose(in);
                 return 3;
             }
             a->total += amount;
             total += amount;
         } else {
-            fprintf(stderr, "%s:%d: not an entry: %s", argv[1], line_number, line);
+            fprintf(stderr, "%s:%d: not an entry: %s", path, line_number, line);
             bad_lines++;
         }
     }
-    fclose(in);
+    if (in != stdin)
+        fclose(in);
     for (int i = 0; i < account_count; i++)
         printf("%s: %.2f\n", accounts[i].name, accounts[i].total);
     printf("grand total: %.2f\n", total);
EOF
commit dee "Read standard input without a file or with -" 1.9

# 1.10
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -41,6 +41,13 @@
     double total = 0.0;
     int line_number = 0;
     int bad_lines = 0;
+    int verbose = 0;
+
+    if (argc > 1 && strcmp(argv[1], "-v") == 0) {
+        verbose = 1;
+        argc--;
+        argv++;
+    }
 
     const char *path = argc < 2 ? "-" : argv[1];
     if (strcmp(path, "-") == 0) {
@@ -68,6 +75,8 @@
                 return 3;
             }
             a->total += amount;
+            if (verbose)
+                printf("%-20s %10.2f\n", name, amount);
             total += amount;
         } else {
             fprintf(stderr, "%s:%d: not an entry: %s", path, line_number, line);
EOF
commit bob "Option -v lists every entry" 1.10

# 1.11
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -34,13 +34,44 @@
     return &accounts[account_count++];
 }
 
-int main(int argc, char **argv)
+/* Adds the entries of one ledger to the accounts; the number of lines
+ * that are no entries, or -1 when there are too many accounts. */
+static int read_ledger(FILE *in, const char *path, int verbose, double *total)
 {
-    FILE *in;
     char line[MAX_LINE];
-    double total = 0.0;
     int line_number = 0;
     int bad_lines = 0;
+
+    while (fgets(line, sizeof line, in) != NULL) {
+        char name[64];
+        double amount;
+        line_number++;
+        /* Lines starting with '#' are comments; blank lines separate days. */
+        if (line[0] == '#' || line[0] == '\n')
+            continue;
+        if (sscanf(line, "%63s %lf", name, &amount) != 2) {
+            fprintf(stderr, "%s:%d: not an entry: %s", path, line_number, line);
+            bad_lines++;
+            continue;
+        }
+        struct account *a = find_account(name);
+        if (a == NULL) {
+            fprintf(stderr, "too many accounts (at most %d)\n", MAX_ACCOUNTS);
+            return -1;
+        }
+        a->total += amount;
+        *total += amount;
+        if (verbose)
+            printf("%-20s %10.2f\n", name, amount);
+    }
+    return bad_lines;
+}
+
+int main(int argc, char **argv)
+{
+    FILE *in;
+    double total = 0.0;
+    int bad_lines;
     int verbose = 0;
 
     if (argc > 1 && strcmp(argv[1], "-v") == 0) {
@@ -59,29 +90,11 @@
             return 1;
         }
     }
-    while (fgets(line, sizeof line, in) != NULL) {
-        char name[64];
-        double amount;
-        line_number++;
-        /* Lines starting with '#' are comments; blank lines separate days. */
-        if (line[0] == '#' || line[0] == '\n')
-            continue;
-        if (sscanf(line, "%63s %lf", name, &amount) == 2) {
-            struct account *a = find_account(name);
-            if (a == NULL) {
-                fprintf(stderr, "too many accounts (at most %d)\n", MAX_ACCOUNTS);
-                if (in != stdin)
-                    fclose(in);
-                return 3;
-            }
-            a->total += amount;
-            if (verbose)
-                printf("%-20s %10.2f\n", name, amount);
-            total += amount;
-        } else {
-            fprintf(stderr, "%s:%d: not an entry: %s", path, line_number, line);
-            bad_lines++;
-        }
+    bad_lines = read_ledger(in, path, verbose, &total);
+    if (bad_lines < 0) {
+        if (in != stdin)
+            fclose(in);
+        return 3;
     }
     if (in != stdin)
         fclose(in);
EOF
commit cid "Move the reading into read_ledger" 1.11

# 1.12
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -99,8 +99,8 @@
     if (in != stdin)
         fclose(in);
     for (int i = 0; i < account_count; i++)
-        printf("%s: %.2f\n", accounts[i].name, accounts[i].total);
-    printf("grand total: %.2f\n", total);
+        printf("%-20s %10.2f\n", accounts[i].name, accounts[i].total);
+    printf("%-20s %10.2f\n", "total", total);
     if (bad_lines > 0)
         fprintf(stderr, "%d lines skipped\n", bad_lines);
     return bad_lines > 0 ? 2 : 0;
EOF
commit dee "Align the report in columns" 1.12

# 1.13
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -2,7 +2,8 @@
  *
  * Each line of the ledger holds an account name and an amount,
  * separated by blanks. Lines starting with '#' are comments.
- * The program prints the total of all amounts.
+ * The program prints the total of every account and of all, and
+ * marks accounts that are overdrawn.
  */
 
 #include <stdio.h>
@@ -98,8 +99,10 @@
     }
     if (in != stdin)
         fclose(in);
-    for (int i = 0; i < account_count; i++)
-        printf("%-20s %10.2f\n", accounts[i].name, accounts[i].total);
+    for (int i = 0; i < account_count; i++) {
+        const char *mark = accounts[i].total < 0.0 ? "  overdrawn" : "";
+        printf("%-20s %10.2f%s\n", accounts[i].name, accounts[i].total, mark);
+    }
     printf("%-20s %10.2f\n", "total", total);
     if (bad_lines > 0)
         fprintf(stderr, "%d lines skipped\n", bad_lines);
EOF
commit ann "Mark overdrawn accounts" 1.13

# 1.14
patch -s ledger.c <<'EOF'
--- ledger.c
+++ ledger.c
@@ -30,7 +30,7 @@
     }
     if (account_count == MAX_ACCOUNTS)
         return NULL;
-    strncpy(accounts[account_count].name, name, sizeof accounts[0].name - 1);
+    snprintf(accounts[account_count].name, sizeof accounts[0].name, "%s", name);
     accounts[account_count].total = 0.0;
     return &accounts[account_count++];
 }
@@ -48,7 +48,7 @@
         double amount;
         line_number++;
         /* Lines starting with '#' are comments; blank lines separate days. */
-        if (line[0] == '#' || line[0] == '\n')
+        if (line[0] == '#' || line[0] == '\n' || line[0] == '\r')
             continue;
         if (sscanf(line, "%63s %lf", name, &amount) != 2) {
             fprintf(stderr, "%s:%d: not an entry: %s", path, line_number, line);
EOF
commit bob "Names always end; Windows blank lines" 1.14

rcsfile=$CVSROOT/ledger/ledger.c,v
for entry in $authors; do
    revision=${entry%%:*}
    author=${entry#*:}
    perl -0pi -e "s/^(\\Q$revision\\E\ndate\t[^;]*;\tauthor )[^;]*;/\${1}$author;/m" "$rcsfile"
done

"$extract" cvs "$rcsfile" "$out" --force
