% random_calls_test.m: one Octave session serves 1e5 random korvexval calls, valid and malformed
% (argument counts, shapes, values, classes and output counts drawn from a fixed seed). Each call
% either answers or fails with an error prefixed by the module's name; afterwards the session
% still answers korvexval(2, 1, [1; 2; 3]) with 16, 5 and 10.
1;

function v = value()
  r = rand();
  if r < 0.05, v = NaN;
  elseif r < 0.1, v = (2 * (rand() < 0.5) - 1) * Inf;
  elseif r < 0.3, v = floor(rand() * 14) - 2;
  else, v = 8 * rand() - 4;
  end
end

% Mostly double matrices near the expected shape; sometimes another class, complex or sparse.
function a = argument(n)
  rows = n; cols = 1 + floor(rand() * 3);
  if rand() < 0.2, rows = floor(rand() * 4); end
  if rand() < 0.2, cols = floor(rand() * 4); end
  a = zeros(rows, cols);
  for k = 1:numel(a), a(k) = value(); end
  r = rand();
  if r < 0.02, a = int8(a);
  elseif r < 0.04, a = logical(a != 0 & ! isnan(a));
  elseif r < 0.06, a = sparse(a);
  elseif r < 0.08, a = single(a);
  elseif r < 0.10, a = complex(a, a);
  elseif r < 0.11, a = 'abc';
  end
end

addpath(getenv('KORVEX_MEX_DIR'));
rand('seed', 20261206);
calls = str2double(getenv('KORVEX_CALLS'));
if isnan(calls), calls = 100000; end
answered = 0; rejected = 0; ok = true;
for c = 1:calls
  n = 1 + floor(rand() * 6);
  nin = floor(rand() * 9);
  args = cell(1, nin);
  for k = 1:nin
    if k == 1 && rand() < 0.9, args{k} = floor(rand() * 6);
    elseif k == 2 && rand() < 0.9, args{k} = floor(rand() * 4);
    elseif k == 5 && rand() < 0.5, args{k} = floor(rand() * (n + 3)) - 1;
    else, args{k} = argument(n);
    end
  end
  nout = floor(rand() * 3);
  try
    out = cell(1, nout);
    [out{:}] = korvexval(args{:});
    answered++;
  catch err
    if isempty(strfind(err.message, 'korvexval')) && isempty(strfind(err.message, 'element number'))...
       && isempty(strfind(err.message, 'undefined'))
      printf('FAILED: call %d: unexpected error: %s\n', c, err.message);
      ok = false;
    end
    rejected++;
  end
end
printf('%d calls: %d answered, %d rejected\n', calls, answered, rejected);
last = korvexval(2, 1, [1; 2; 3]);
if ! isequal(last, [16; 5; 10])
  printf('FAILED: the session no longer answers korvexval(2, 1, [1; 2; 3])\n');
  ok = false;
end
if answered == 0 || rejected == 0
  printf('FAILED: the random calls did not reach both outcomes\n');
  ok = false;
end
exit(! ok);
