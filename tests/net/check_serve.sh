#!/usr/bin/env bash
# The tool as a device server and as its client, on a free loopback port:
# the example session through the server prints what the golden file of the
# in-process run holds; caps detects through it; clients in several processes
# at once each get their own answers; the example host works against it; -v
# logs the connections; SIGINT stops the server, and a client then reports a
# transmit failure. Every wait is bounded.
# Usage: check_serve.sh TOOL SESSION GOLDEN NETWORK_HOST [EMULATOR]
# EMULATOR runs the programs of a cross build (Wine).
set -u
tool_program=$1
session=$2
golden=$3
network_host_program=$4
emulator=${5:-}
tool() { $emulator "$tool_program" "$@"; }
network_host() { $emulator "$network_host_program" "$@"; }
work=$(mktemp -d)
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; exit 1; }
# A Windows build writes its lines with CR LF; the texts compare line by line.
unix_lines() { sed -i 's/\r$//' "$@"; }

$emulator "$tool_program" -v serve --listen 127.0.0.1:0 >"$work/serve.out" 2>"$work/serve.err" &
server=$!
url=
for _ in $(seq 100); do
  url=$(grep -o 'tcp://127\.0\.0\.1:[0-9]*' "$work/serve.out")
  [ -n "$url" ] && break
  sleep 0.1
done
[ -n "$url" ] || fail "the server did not say where it listens: $(cat "$work/serve.out" "$work/serve.err")"

tool --device "$url" run "$session" >"$work/session.out" 2>"$work/session.err" || fail "run through $url"
unix_lines "$work/session.out" "$work/session.err"
diff -u "$golden" "$work/session.out" || fail "the session through the server differs from the in-process one"
[ ! -s "$work/session.err" ] || fail "unexpected standard error: $(cat "$work/session.err")"

tool caps --device "$url" >"$work/caps.out" || fail "caps through $url"
unix_lines "$work/caps.out"
grep -q "^Device server       $url\$" "$work/caps.out" || fail "caps does not name the server"
grep -q '^Detected hardware   StudioBox$' "$work/caps.out" || fail "caps did not detect the StudioBox"
[ "$(grep -cE '  (boolean|integer|string)  ' "$work/caps.out")" = 78 ] || fail "caps did not answer 78 questions"

# Four processes at once, each muting and reading back host channels of its own.
for client in 1 2 3 4; do
  script="$work/client$client.tarn"
  : >"$script"
  for round in 1 2 3 4 5; do
    channel=$((client * 10 + round))
    echo "send AudioHostChanMute HostChannel UINT8 $channel Mute UINT8 $((round % 2)) . ;" >>"$script"
    echo "request AudioHostChanMute HostChannel UINT8 $channel . ;" >>"$script"
  done
  tool --device "$url" run "$script" >"$work/client$client.out" 2>&1 &
  eval "client_pid_$client=$!"
done
for client in 1 2 3 4; do
  pid_name="client_pid_$client"
  wait "${!pid_name}" || fail "client $client: $(cat "$work/client$client.out")"
  tool run "$work/client$client.tarn" >"$work/client$client.expected"
  unix_lines "$work/client$client.out" "$work/client$client.expected"
  diff -u "$work/client$client.expected" "$work/client$client.out" || fail "client $client got other answers"
done

network_host "$url" >"$work/host.out" || fail "the example host: $(cat "$work/host.out")"
unix_lines "$work/host.out"
grep -q '^hardware: StudioBox, send: kTLSuccess, request: kTLSuccess, host channel 5 muted: yes$' "$work/host.out" \
  || fail "the example host printed: $(cat "$work/host.out")"

kill -INT "$server"
for _ in $(seq 100); do
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$server" 2>/dev/null && fail "the server did not stop on SIGINT"
wait "$server" || fail "the server stopped with exit code $?"
server=
unix_lines "$work/serve.out" "$work/serve.err"
grep -q '^Stopped$' "$work/serve.out" || fail "the server did not say it stopped"
grep -q "^tarnlink serve: connection 1 from tcp://127.0.0.1:[0-9]* opened (1 open)$" "$work/serve.err" \
  || fail "-v did not log the first connection: $(head -3 "$work/serve.err")"
grep -q '^tarnlink serve: connection 1 closed: closed by the client$' "$work/serve.err" \
  || fail "-v did not log the first connection's end"

tool --device "$url" run "$session" >"$work/stopped.out" 2>"$work/stopped.err"
status=$?
unix_lines "$work/stopped.out" "$work/stopped.err"
[ $status = 1 ] || fail "a run against a stopped server did not fail"
grep -q 'status    kTLTransmitFailure' "$work/stopped.out" || fail "no transmit failure against a stopped server"
grep -q '^tarnlink: error: some commands failed$' "$work/stopped.err" || fail "$(cat "$work/stopped.err")"
exit 0
