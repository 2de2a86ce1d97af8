// A private X server for an engine that needs a display: Xvfb picks a free
// display number itself and tells it on a pipe once it is ready.

import { spawn } from "node:child_process";

export async function startXvfb() {
  const server = spawn("Xvfb", ["-displayfd", "3", "-screen", "0", "1920x1200x24", "-nolisten", "tcp"],
    { stdio: ["ignore", "ignore", "ignore", "pipe"] });
  const display = await new Promise((resolve, reject) => {
    let said = "";
    server.stdio[3].on("data", (chunk) => {
      said += chunk;
      if (said.includes("\n")) resolve(`:${said.trim()}`);
    });
    server.on("exit", (code) => reject(new Error(`Xvfb ended (${code})`)));
  });
  return { display, stop: () => server.kill() };
}
