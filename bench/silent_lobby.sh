# Sourced by the benchmark scripts: a lobby on 127.0.0.1 that accepts every
# connection and stays silent, as the game expects of the local lobby.
# start_silent_lobby FILE: starts it in the background, adds its process to
# the caller's `pids` array and writes its port to FILE once it listens.
start_silent_lobby() {
  local port_file=$1
  python3 -c '
import socket
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen()
print(s.getsockname()[1], flush=True)
held = []
while True:
    held.append(s.accept())' > "$port_file" &
  pids+=($!)
  for _ in $(seq 50); do [ -s "$port_file" ] && break; sleep 0.1; done
}
