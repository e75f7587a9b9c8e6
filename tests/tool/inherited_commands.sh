#!/usr/bin/env bash
# 'ancestors' prints the chain of an inherited form, one form file per line,
# and 'totext --flatten' writes the form resolved with its ancestors and
# frames as one "object" text; a missing ancestor is named on stderr.
set -u
tool="$1"
examples="$2/examples/inherited"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$tool" ancestors "$examples/CustomerForm.dfm" > "$work/chain" || { echo "ancestors failed"; exit 1; }
[ "$(wc -l < "$work/chain")" -eq 3 ] || { echo "expected two forms and a frame:"; cat "$work/chain"; exit 1; }
sed -n 2p "$work/chain" | grep -q "BaseForm.dfm$" || { echo "no base form:"; cat "$work/chain"; exit 1; }
sed -n 3p "$work/chain" | grep -q "AddressFrame.dfm (frame)$" || { echo "no frame form:"; cat "$work/chain"; exit 1; }

"$tool" totext --flatten "$examples/CustomerForm.dfm" -o "$work/flat.dfm" 2> "$work/log" || { echo "flatten failed"; cat "$work/log"; exit 1; }
head -n 1 "$work/flat.dfm" | grep -q "^object FormCustomer: TFormCustomer" || { echo "not one object text"; exit 1; }
grep -q "inherited" "$work/flat.dfm" && { echo "inherited left in the text"; exit 1; }
grep -q "inline Address1: TFrame" "$work/flat.dfm" || { echo "frame not resolved"; exit 1; }
grep -q "Caption = 'Road'" "$work/flat.dfm" || { echo "frame override lost"; exit 1; }

printf 'inherited Lone: TLone\r\nend\r\n' > "$work/Lone.dfm"
printf 'program P;\r\nend.\r\n' > "$work/P.dpr"
"$tool" ancestors "$work/Lone.dfm" > "$work/chain" 2> "$work/err"
[ $? -eq 1 ] || { echo "expected exit 1 for a missing ancestor"; exit 1; }
grep -q "Ancestor of \[TLone\] not found" "$work/err" || { echo "no message:"; cat "$work/err"; exit 1; }
exit 0
