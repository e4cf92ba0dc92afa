#!/usr/bin/env bash
# Every text the user reads lives in common/messages.h: the window's captions, tooltips, titles
# and date formats as much as the engine's and the command line's messages. Fails when a source
# of calc/, model/, files/, ui/, app/ or cli/ holds a string literal with a Chinese character or
# full-width punctuation; comments may quote such texts freely.
#   check_texts.sh SOURCE_DIR
set -euo pipefail
root=$1

# Sources allowed to hold such literals, relative to SOURCE_DIR; none today.
exceptions=()

# Prints "path:line: literal" for each offending literal and exits 1 when there is one. Walks
# the text as the compiler does, so a "//" inside a literal, a quote in a character literal or a
# literal after a trailing comment's quotes are all told apart.
read -r -d '' scanner <<'PERL' || true
use strict;
use warnings;
my $wide = qr/[\x{3000}-\x{303f}\x{4e00}-\x{9fff}\x{ff00}-\x{ffef}]/;
binmode STDOUT, ":encoding(UTF-8)";
my $found = 0;
for my $path (@ARGV) {
    open my $fh, '<:encoding(UTF-8)', $path or die "$path: $!\n";
    my $s = do { local $/; <$fh> };
    close $fh;
    my ($i, $n, $line) = (0, length $s, 1);
    my $report = sub {
        my ($at, $body) = @_;
        return unless $body =~ $wide;
        print "$path:$at: $body\n";
        $found = 1;
    };
    # A quoted run up to the unescaped closing quote or the end of the line.
    my $quoted = sub {
        my ($quote) = @_;
        my $start = ++$i;
        while ($i < $n) {
            my $c = substr($s, $i, 1);
            last if $c eq $quote || $c eq "\n";
            $line++ if $c eq '\\' && substr($s, $i + 1, 1) eq "\n";
            $i += $c eq '\\' ? 2 : 1;
        }
        my $body = substr($s, $start, $i - $start);
        $i++ if $i < $n && substr($s, $i, 1) eq $quote;
        return $body;
    };
    # The few characters before the current one, enough to see the token they end.
    my $behind = sub { my $from = $i > 32 ? $i - 32 : 0; substr($s, $from, $i - $from) };
    while ($i < $n) {
        my $c = substr($s, $i, 1);
        my $two = substr($s, $i, 2);
        if ($c eq "\n") {
            $line++;
            $i++;
        } elsif ($two eq '//') {
            my $end = index($s, "\n", $i);
            $i = $end < 0 ? $n : $end;
        } elsif ($two eq '/*') {
            my $end = index($s, '*/', $i + 2);
            $end = $end < 0 ? $n : $end + 2;
            $line += (substr($s, $i, $end - $i) =~ tr/\n//);
            $i = $end;
        } elsif ($two eq 'R"' && $behind->() =~ /(?:^|[^\w]|\b(?:u8|u|U|L))$/
                 && substr($s, $i) =~ /^R"([^()\\\s]{0,16})\(/) {
            my $close = ")$1\"";
            my $start = $i + length($1) + 3;
            my $end = index($s, $close, $start);
            $end = $n if $end < 0;
            my $body = substr($s, $start, $end - $start);
            $report->($line, $body);
            $line += ($body =~ tr/\n//);
            $i = $end < $n ? $end + length $close : $n;
        } elsif ($c eq '"') {
            $report->($line, $quoted->('"'));
        } elsif ($c eq "'") {
            # 1'000: a digit separator inside a number opens no character literal.
            my $inNumber = $behind->() =~ /(?<![\w.])[0-9][\w.']*$/;
            if ($inNumber && substr($s, $i + 1, 1) =~ /[0-9a-fA-F]/) {
                $i++;
            } else {
                $quoted->("'");
            }
        } else {
            $i++;
        }
    }
}
exit $found;
PERL

scan() {
    perl -e "$scanner" "$@"
}

# The scanner proves itself on a sample first, so a broken guard cannot pass a broken tree.
sample="$(mktemp)"
trap 'rm -f "$sample"' EXIT
cat >"$sample" <<'CPP'
// "注释里的文字"
int a = 1; // "行尾注释"
const char* s = "文字";
char q = '"'; const char* t = "a // b"; // "注释"
const char* u = "\"引号\"";
/* "块注释" */ int b = 2;
/*
   "跨行的块注释"
*/
auto r = R"x(原始)x";
int n = 1'000; const char* v = "，";
const char* w = "、";
const char* x = "plain // \"ascii\"";
char y = '\''; const char* z = "后";
if (c == '"') return "引";
CPP
expected="$sample:3: 文字
$sample:5: \\\"引号\\\"
$sample:10: 原始
$sample:11: ，
$sample:12: 、
$sample:14: 后
$sample:15: 引"
if actual="$(scan "$sample")"; then
    actual=""
fi
if [[ "$actual" != "$expected" ]]; then
    echo "the literal scanner misread its sample; it reported:"
    echo "$actual"
    exit 1
fi

cd "$root"
sources=()
while IFS= read -r path; do
    skip=0
    for exception in "${exceptions[@]}"; do
        [[ "$path" == "$exception" ]] && skip=1
    done
    ((skip)) || sources+=("$path")
done < <(find calc model files ui app cli -name '*.h' -o -name '*.cpp' | sort)

if ! scan "${sources[@]}"; then
    echo "These texts belong in common/messages.h (namespace lumavo::msg)."
    exit 1
fi
echo "checked ${#sources[@]} sources; no user-visible text outside common/messages.h"
