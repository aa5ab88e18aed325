// The status page's own script: it shows each status the server streams,
// and draws the last ten minutes of every series on the canvas. It reads
// nothing from elsewhere and changes nothing on the server. Every figure
// it shows is also kept, unformatted, in a data-value attribute.
"use strict";

(() => {
	const body = document.body;
	const text = (name) => body.dataset["text" + name];
	const palette = ["#0b63c4", "#c43c0b", "#198a3a", "#8a19a1", "#a17a00", "#0a8a8a",
		"#5a5a5a", "#c40b6b"];
	const dashes = [[], [8, 4], [2, 3], [10, 3, 2, 3]];
	let connected = false;
	let running = true;
	let statuses = 0;

	const fixed = (value, digits) => (value === null ? text("NoValue") : value.toFixed(digits));

	function clock(seconds) {
		const whole = Math.floor(seconds);
		const hours = Math.floor(whole / 3600);
		const minutes = String(Math.floor(whole / 60) % 60).padStart(2, "0");
		return `${hours}:${minutes}:${String(whole % 60).padStart(2, "0")}`;
	}

	function bytes(count) {
		if (count >= 1e9) return `${(count / 1e9).toFixed(1)} GB`;
		if (count >= 1e6) return `${(count / 1e6).toFixed(1)} MB`;
		return `${(count / 1e3).toFixed(0)} kB`;
	}

	function cell(tag, content, value) {
		const element = document.createElement(tag);
		element.textContent = content;
		if (value !== undefined) element.dataset.value = value === null ? "" : String(value);
		return element;
	}

	function fill(tbody, rows) {
		tbody.replaceChildren(...rows);
	}

	function showValues(values) {
		fill(document.querySelector("#values tbody"), values.map((one) => {
			const row = document.createElement("tr");
			row.id = `value-${one.name}`;
			Object.assign(row.dataset, { name: one.name, alarm: one.alarm, unit: one.unit,
				value: one.value === null ? "" : String(one.value) });
			const header = cell("th", one.name);
			header.scope = "row";
			const state = cell("td", text(one.alarm[0].toUpperCase() + one.alarm.slice(1)),
				one.alarm);
			state.className = `state state-${one.alarm}`;
			row.append(header, cell("td", fixed(one.value, 3), one.value),
				cell("td", one.unit), state);
			return row;
		}));
	}

	function showRecording(recording) {
		const set = (id, shown, value) => {
			const element = document.getElementById(id);
			element.textContent = shown;
			element.dataset.value = value === null ? "" : String(value);
		};
		set("rec-file", recording.file || text("NoFile"), recording.file);
		set("rec-recorded", clock(recording.recordedS), recording.recordedS);
		set("rec-lost", String(recording.samplesLost), recording.samplesLost);
		set("rec-free", recording.freeBytes === null ? text("NotKnown")
			: bytes(recording.freeBytes), recording.freeBytes);
		set("rec-lasts", recording.lastsS === null ? text("NotKnown") : recording.lastsText,
			recording.lastsS);
	}

	function showEvents(events) {
		const rows = events.slice().reverse().map((event) => {
			const row = document.createElement("tr");
			Object.assign(row.dataset, { seq: String(event.seq), kind: event.kind,
				unit: event.unit, time: String(event.timeS), text: event.text });
			row.append(cell("td", String(event.seq)), cell("td", event.timeS.toFixed(2)),
				cell("td", event.unit), cell("td", event.kindText), cell("td", event.text));
			return row;
		});
		if (rows.length === 0) {
			const row = document.createElement("tr");
			const empty = cell("td", text("NoEvents"));
			empty.colSpan = 5;
			row.append(empty);
			rows.push(row);
		}
		fill(document.querySelector("#events tbody"), rows);
	}

	function latestPoint(points) {
		for (let i = points.length - 1; i >= 0; --i)
			if (points[i][3] !== null) return points[i];
		return null;
	}

	function showLatest(series) {
		fill(document.querySelector("#graph-latest tbody"), series.map((one, index) => {
			const point = latestPoint(one.points);
			const row = document.createElement("tr");
			Object.assign(row.dataset, { series: one.name,
				time: point ? String(point[0]) : "", value: point ? String(point[3]) : "" });
			const name = cell("th", one.name);
			name.scope = "row";
			const swatch = document.createElement("span");
			swatch.className = "swatch";
			swatch.style.backgroundColor = palette[index % palette.length];
			swatch.setAttribute("aria-hidden", "true");
			name.prepend(swatch);
			row.append(name, cell("td", point ? point[0].toFixed(2) : text("NoValue")),
				cell("td", fixed(point ? point[3] : null, 3)), cell("td", one.unit));
			return row;
		}));
	}

	// The span shown: ten minutes up to the newest point of any series (the
	// first ten from the start), and the values of all of them with a little room.
	function extent(series) {
		let newest = 0;
		let low = Infinity;
		let high = -Infinity;
		for (const one of series)
			for (const [time, minimum, maximum] of one.points) {
				newest = Math.max(newest, time);
				if (minimum !== null) low = Math.min(low, minimum);
				if (maximum !== null) high = Math.max(high, maximum);
			}
		if (low > high) [low, high] = [-1, 1];
		if (low === high) [low, high] = [low - 1, high + 1];
		const room = (high - low) * 0.05;
		return { first: Math.max(newest, 600) - 600, newest, low: low - room, high: high + room };
	}

	function drawAxes(context, box, span) {
		context.strokeStyle = "#c8c8c8";
		context.fillStyle = "#333";
		context.lineWidth = 1;
		context.font = "12px sans-serif";
		context.textAlign = "right";
		context.textBaseline = "middle";
		for (let i = 0; i <= 4; ++i) {
			const value = span.low + (span.high - span.low) * i / 4;
			const y = box.bottom - (box.bottom - box.top) * i / 4;
			context.beginPath();
			context.moveTo(box.left, y);
			context.lineTo(box.right, y);
			context.stroke();
			context.fillText(value.toPrecision(4), box.left - 6, y);
		}
		context.textBaseline = "top";
		for (let minute = 0; minute <= 10; minute += 2) {
			const time = span.first + minute * 60;
			const x = box.left + (box.right - box.left) * minute / 10;
			context.textAlign = minute === 10 ? "right" : "center";
			context.beginPath();
			context.moveTo(x, box.top);
			context.lineTo(x, box.bottom);
			context.stroke();
			context.fillText(clock(time), x, box.bottom + 6);
		}
	}

	function drawSeries(context, box, span, one, index) {
		const x = (time) => box.left + (box.right - box.left) * (time - span.first) / 600;
		const y = (value) => box.bottom - (box.bottom - box.top) * (value - span.low)
			/ (span.high - span.low);
		context.strokeStyle = palette[index % palette.length];
		// The extremes of each stretch, so that no peak between points is lost.
		context.globalAlpha = 0.35;
		context.setLineDash([]);
		context.beginPath();
		for (const [time, minimum, maximum] of one.points)
			if (minimum !== null && time >= span.first) {
				context.moveTo(x(time), y(minimum));
				context.lineTo(x(time), y(maximum));
			}
		context.stroke();
		context.globalAlpha = 1;
		context.lineWidth = 2;
		context.setLineDash(dashes[index % dashes.length]);
		context.beginPath();
		let drawing = false;
		for (const [time, , , last] of one.points) {
			if (last === null || time < span.first) {
				drawing = false;
				continue;
			}
			if (drawing) context.lineTo(x(time), y(last));
			else context.moveTo(x(time), y(last));
			drawing = true;
		}
		context.stroke();
		context.setLineDash([]);
		context.lineWidth = 1;
	}

	function drawGraph(series) {
		const canvas = document.getElementById("graph");
		const ratio = window.devicePixelRatio || 1;
		const width = canvas.clientWidth;
		const height = canvas.clientHeight;
		canvas.width = Math.round(width * ratio);
		canvas.height = Math.round(height * ratio);
		const context = canvas.getContext("2d");
		context.setTransform(ratio, 0, 0, ratio, 0, 0);
		context.clearRect(0, 0, width, height);
		const box = { left: 64, right: width - 16, top: 12, bottom: height - 28 };
		const span = extent(series);
		drawAxes(context, box, span);
		series.forEach((one, index) => drawSeries(context, box, span, one, index));
		canvas.dataset.points = String(series.reduce((sum, one) => sum + one.points.length, 0));
		canvas.dataset.newest = String(span.newest);
	}

	function showState() {
		const state = document.getElementById("run-state");
		state.textContent = !connected ? text("Disconnected")
			: running ? text("Running") : text("Ended");
		state.dataset.running = String(running);
		state.dataset.connected = String(connected);
	}

	function show(status) {
		running = status.running;
		showValues(status.values);
		showRecording(status.recording);
		showEvents(status.events);
		showLatest(status.series);
		drawGraph(status.series);
		showState();
		const updated = document.getElementById("updated");
		updated.textContent = new Date().toLocaleTimeString(document.documentElement.lang);
		updated.dataset.value = String(++statuses);
	}

	// The token of the first load is in a cookie now; the address bar and
	// the history need not keep it.
	if (new URLSearchParams(location.search).has("token"))
		history.replaceState(null, "", location.pathname);

	const stream = new EventSource("/api/stream");
	stream.addEventListener("status", (message) => show(JSON.parse(message.data)));
	stream.addEventListener("open", () => { connected = true; showState(); });
	stream.addEventListener("error", () => { connected = false; showState(); });
})();
